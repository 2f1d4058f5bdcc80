#include "runtime/thread_timer.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/error.h"
#include "platform/sim/event_loop.h"
#include "platform/sim/timer_platforms.h"

namespace kb {
namespace {

using namespace std::chrono_literals;

TEST(TimerPause, IsTheRestOfTheIntervalButAtLeast10ms) {
  struct Case {
    std::int32_t interval;
    std::uint32_t t0, t1;
    std::uint32_t pause;
  };
  const Case cases[] = {
      {20, 1000, 1005, 15},                // a 5 ms tick leaves 15 ms
      {20, 1000, 1025, 10},                // a tick longer than the interval: the minimum
      {20, 1000, 1011, 10},                // 9 ms left is below the minimum
      {20, 1000, 1010, 10},                // exactly the minimum
      {0, 1000, 1000, 10},                 // a new timer
      {-5, 1000, 1000, 10},                // a negative interval
      {5000, 1000, 1000, 5000},            // a long interval, nothing elapsed
      {20, 0xFFFFFFFEu, 3, 15},            // the clock wraps between t0 and t1
      {20, 0xFFFFFFFFu, 0xFFFFFFFFu, 20},  // at the clock's last value
      {INT32_MAX, 0, 0, static_cast<std::uint32_t>(INT32_MAX)},
      {INT32_MIN, 0, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "interval " << c.interval << ", t0 " << c.t0 << ", t1 " << c.t1);
    EXPECT_EQ(TVoskTimerThread::pause_after(c.interval, c.t0, c.t1), c.pause);
  }
}

// One timer on a clock that moves only when the test says so. The test's thread is the main
// thread; the rig's end lets the worker go and checks that it ends by itself.
struct ManualRig {
  explicit ManualRig(std::uint32_t start_ms = 1000)
      : platform(std::make_shared<sim::ManualTimerPlatform>(start_ms)) {
    loop->set_wake_handler([this] { queue->run_pending(); });
    timer = std::make_unique<TVoskThreadTimer>(platform, queue);
  }

  ~ManualRig() {
    timer.reset();
    platform->release();
    EXPECT_TRUE(platform->wait_until_threads_ended(5s)) << "the worker must end by itself";
  }

  // Lets the worker make `passes` more passes, serving the ticks they ask for.
  void run_passes(std::size_t passes) {
    const std::size_t target = platform->pauses().size() + passes;
    platform->allow_pauses(passes);
    EXPECT_TRUE(loop->run_until([&] { return platform->pauses().size() >= target; }));
  }

  // Waits until the worker has asked for a tick that the main thread has not served yet.
  void wait_for_queued_tick() {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!loop->wake_pending() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(loop->wake_pending());
  }

  // Serves the main thread long enough for the worker to have asked for more ticks.
  void serve_a_while() {
    platform->allow_pauses(1000);
    loop->run_for(100ms);
  }

  std::shared_ptr<sim::ManualTimerPlatform> platform;
  std::shared_ptr<sim::EventLoop> loop = std::make_shared<sim::EventLoop>();
  std::shared_ptr<MainThreadQueue> queue = std::make_shared<MainThreadQueue>(loop);
  std::unique_ptr<TVoskThreadTimer> timer;
};

TEST(ThreadTimer, NewTimerIsDisabledAndOnlyWakesEvery10ms) {
  ManualRig rig;
  EXPECT_FALSE(rig.timer->Enabled());
  EXPECT_EQ(rig.timer->Interval(), 0);
  EXPECT_EQ(rig.timer->ThreadPriority(), TThreadPriority::tpNormal);
  int ticks = 0;
  rig.timer->SetOnTimer([&](TVoskThreadTimer&) { ++ticks; });

  rig.run_passes(5);
  for (const std::uint32_t pause : rig.platform->pauses()) {
    EXPECT_EQ(pause, 10u);
  }
  EXPECT_EQ(rig.loop->wake_count(), 0u) << "a disabled timer asks the main thread for nothing";
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(rig.platform->started_priorities(),
            std::vector<TThreadPriority>{TThreadPriority::tpNormal});
}

TEST(ThreadTimer, TicksStartEveryMaxOfIntervalAndTickTimePlus10) {
  struct Case {
    std::int32_t interval;
    std::uint32_t start_ms;
    std::uint32_t handler_ms;
    std::uint32_t pause;
    std::uint32_t period;  // from one tick's start to the next one's
  };
  const Case cases[] = {
      {20, 1000, 5, 15, 20},
      {20, 1000, 25, 10, 35},
      {20, 1000, 30, 10, 40},
      {-5, 1000, 0, 10, 10},
      {0, 1000, 3, 10, 13},
      {20, 0xFFFFFFC0u, 5, 15, 20},  // the clock wraps around during the run
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "interval " << c.interval << ", handler " << c.handler_ms << " ms");
    ManualRig rig(c.start_ms);
    rig.timer->SetInterval(c.interval);
    std::vector<std::uint32_t> starts;
    rig.timer->SetOnTimer([&](TVoskThreadTimer&) {
      starts.push_back(rig.platform->now_ms());
      rig.platform->advance(c.handler_ms);
    });
    rig.timer->SetEnabled(true);
    rig.run_passes(8);

    // The worker may have made its first pass before the timer was enabled.
    ASSERT_GE(starts.size(), 7u);
    const std::vector<std::uint32_t> pauses = rig.platform->pauses();
    for (std::size_t i = pauses.size() - starts.size(); i < pauses.size(); ++i) {
      EXPECT_EQ(pauses[i], c.pause);
    }
    for (std::size_t i = 1; i < starts.size(); ++i) {
      EXPECT_EQ(starts[i] - starts[i - 1], c.period);
    }
  }
}

TEST(ThreadTimer, IntervalIsReadAfreshForEveryPause) {
  ManualRig rig;
  rig.timer->SetInterval(50);
  rig.timer->SetOnTimer([&](TVoskThreadTimer& sender) { sender.SetInterval(30); });
  rig.timer->SetEnabled(true);
  rig.run_passes(3);
  EXPECT_EQ(rig.platform->pauses().back(), 30u);
}

TEST(ThreadTimer, EnabledTimerWithoutHandlerStillAsksForEveryTick) {
  ManualRig rig;
  rig.timer->SetInterval(20);
  rig.timer->SetEnabled(true);
  rig.run_passes(5);
  EXPECT_GE(rig.loop->wake_count(), 4u);
}

TEST(ThreadTimer, HandlerGetsTheTimerAsSenderOnTheMainThread) {
  ManualRig rig;
  TVoskThreadTimer* sender = nullptr;
  std::thread::id thread;
  rig.timer->SetOnTimer([&](TVoskThreadTimer& s) {
    sender = &s;
    thread = std::this_thread::get_id();
  });
  rig.timer->SetEnabled(true);
  rig.run_passes(3);
  EXPECT_EQ(sender, rig.timer.get());
  EXPECT_EQ(thread, std::this_thread::get_id());
}

TEST(ThreadTimer, TickQueuedBeforeDisablingStillRuns) {
  ManualRig rig;
  int ticks = 0;
  rig.timer->SetOnTimer([&](TVoskThreadTimer&) { ++ticks; });
  rig.timer->SetEnabled(true);
  rig.platform->allow_pauses(1);  // the first pass may have happened while disabled
  rig.wait_for_queued_tick();

  rig.timer->SetEnabled(false);
  rig.serve_a_while();
  EXPECT_EQ(ticks, 1);
}

TEST(ThreadTimer, DestroyingTheTimerWithATickQueuedCallsNothing) {
  ManualRig rig;
  int ticks = 0;
  rig.timer->SetOnTimer([&](TVoskThreadTimer&) { ++ticks; });
  rig.timer->SetEnabled(true);
  rig.platform->allow_pauses(1);
  rig.wait_for_queued_tick();

  rig.timer.reset();
  rig.serve_a_while();
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(rig.platform->wait_until_threads_ended(5s));
}

TEST(ThreadTimer, FailingHandlerEndsTheTicksForGood) {
  ManualRig rig;
  int ticks = 0;
  rig.timer->SetOnTimer([&](TVoskThreadTimer&) {
    ++ticks;
    throw std::runtime_error("handler failed");
  });
  rig.timer->SetEnabled(true);
  rig.platform->allow_pauses(1000);
  ASSERT_TRUE(rig.loop->run_until([&] { return ticks == 1; }));
  EXPECT_TRUE(rig.platform->wait_until_threads_ended(5s)) << "the worker ends after the failure";

  rig.timer->SetEnabled(false);
  rig.timer->SetEnabled(true);
  rig.loop->run_for(50ms);
  EXPECT_EQ(ticks, 1);
}

TEST(ThreadTimer, HandlerMayDestroyItsOwnTimer) {
  ManualRig rig;
  int ticks = 0;
  rig.timer->SetOnTimer([&](TVoskThreadTimer&) {
    ++ticks;
    rig.timer.reset();
  });
  rig.timer->SetEnabled(true);
  rig.platform->allow_pauses(1000);
  ASSERT_TRUE(rig.loop->run_until([&] { return ticks == 1; }));
  EXPECT_TRUE(rig.platform->wait_until_threads_ended(5s));
  EXPECT_EQ(ticks, 1);
}

TEST(ThreadTimer, RefusedThreadFailsTheConstructionWithTheSystemsReason) {
  auto platform = std::make_shared<sim::RealTimeTimerPlatform>();
  auto loop = std::make_shared<sim::EventLoop>();
  auto queue = std::make_shared<MainThreadQueue>(loop);
  platform->fail_thread_start(u"Nicht genügend Speicher");
  try {
    TVoskThreadTimer timer(platform, queue);
    FAIL() << "construction succeeded";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u"Fehler beim Erzeugen des Thread: Nicht genügend Speicher");
  }
  EXPECT_EQ(platform->running_threads(), 0u);
}

// Real threads and the real clock: two timers as in the running program, ticking on the main
// thread one at a time, and ending by themselves once destroyed.
TEST(ThreadTimer, TwoRealTimersTickOnTheMainThreadWithoutOverlap) {
  auto platform = std::make_shared<sim::RealTimeTimerPlatform>();
  auto loop = std::make_shared<sim::EventLoop>();
  auto queue = std::make_shared<MainThreadQueue>(loop);
  loop->set_wake_handler([q = queue.get()] { q->run_pending(); });  // no cycle through the loop
  const auto main_thread = std::this_thread::get_id();

  int running = 0;
  int overlaps = 0;
  int off_main = 0;
  int ticks[2] = {0, 0};
  auto make = [&](int which, std::int32_t interval) {
    auto timer = std::make_unique<TVoskThreadTimer>(platform, queue);
    timer->SetInterval(interval);
    timer->SetOnTimer([&, which](TVoskThreadTimer&) {
      overlaps += running++ > 0;
      off_main += std::this_thread::get_id() != main_thread;
      ++ticks[which];
      --running;
    });
    timer->SetEnabled(true);
    return timer;
  };
  auto accent = make(0, 10);
  auto icon = make(1, 15);
  EXPECT_TRUE(loop->run_until([&] { return ticks[0] >= 10 && ticks[1] >= 5; }));
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(off_main, 0);

  accent.reset();
  icon.reset();
  EXPECT_TRUE(platform->wait_until_threads_ended(5s));
}

}  // namespace
}  // namespace kb
