#include "runtime/main_thread_queue.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/sim/event_loop.h"

namespace kb {
namespace {

class MainThreadQueueTest : public testing::Test {
 protected:
  MainThreadQueueTest() {
    loop->set_wake_handler([this] { queue->run_pending(); });
  }

  std::shared_ptr<sim::EventLoop> loop = std::make_shared<sim::EventLoop>();
  std::shared_ptr<MainThreadQueue> queue = std::make_shared<MainThreadQueue>(loop);
  const std::thread::id main_thread = std::this_thread::get_id();
};

TEST_F(MainThreadQueueTest, CallsRunOnTheMainThreadInTheOrderQueued) {
  std::vector<int> order;
  std::atomic<bool> finished{false};
  bool all_on_main = true;
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) {
      queue->call_sync([&, i] {
        all_on_main = all_on_main && std::this_thread::get_id() == main_thread;
        order.push_back(i);
      });
    }
    finished = true;
  });
  EXPECT_TRUE(loop->run_until([&] { return finished.load(); }));
  worker.join();

  ASSERT_EQ(order.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  }
  EXPECT_TRUE(all_on_main);
}

TEST_F(MainThreadQueueTest, FailureOfACallIsRaisedInTheWaitingThread) {
  std::atomic<bool> finished{false};
  std::string caught;
  std::thread worker([&] {
    try {
      queue->call_sync([] { throw std::runtime_error("handler failed"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    finished = true;
  });
  EXPECT_TRUE(loop->run_until([&] { return finished.load(); }));
  worker.join();
  EXPECT_EQ(caught, "handler failed");
}

TEST_F(MainThreadQueueTest, CallFromTheMainThreadRunsAtOnce) {
  bool ran = false;
  queue->call_sync([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_EQ(loop->wake_count(), 0u);
}

// A call that opens a nested event loop, as a modal dialog does, still lets other workers'
// calls through.
TEST_F(MainThreadQueueTest, NestedLoopServesLaterCalls) {
  std::atomic<bool> second_ran{false};
  std::atomic<bool> first_done{false};
  std::thread first([&] {
    queue->call_sync([&] {
      std::thread second([&] { queue->call_sync([&] { second_ran = true; }); });
      EXPECT_TRUE(loop->run_until([&] { return second_ran.load(); }));
      second.join();
    });
    first_done = true;
  });
  EXPECT_TRUE(loop->run_until([&] { return first_done.load(); }));
  first.join();
  EXPECT_TRUE(second_ran);
}

TEST_F(MainThreadQueueTest, ClosingLetsEveryWaitingCallerGoWithoutRunningItsCall) {
  std::atomic<int> ran{0};
  std::atomic<int> returned{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < 3; ++i) {
    workers.emplace_back([&] {
      queue->call_sync([&] { ++ran; });
      ++returned;
    });
  }
  // Nobody serves the queue: the program has ended its loop.
  for (int i = 0; i < 500 && loop->wake_count() < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(returned, 0);
  queue->close();
  for (std::thread& worker : workers) {
    worker.join();
  }
  queue->call_sync([&] { ++ran; });  // on the main thread it still runs at once
  std::thread late([&] { queue->call_sync([&] { ++ran; }); });
  late.join();
  EXPECT_EQ(returned, 3);
  EXPECT_EQ(ran, 1) << "only the main thread's own call";
}

}  // namespace
}  // namespace kb
