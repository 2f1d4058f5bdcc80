// Pacing of a real thread timer at the default 20 ms with a trivial handler: the period from
// one tick's start to the next, over 5 seconds. Reported as counters (milliseconds).

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <numeric>
#include <vector>

#include "platform/sim/event_loop.h"
#include "platform/sim/timer_platforms.h"
#include "runtime/thread_timer.h"

namespace kb {
namespace {

using Clock = std::chrono::steady_clock;

void BM_TimerPacing20ms(benchmark::State& state) {
  for (auto _ : state) {
    auto platform = std::make_shared<sim::RealTimeTimerPlatform>();
    auto loop = std::make_shared<sim::EventLoop>();
    auto queue = std::make_shared<MainThreadQueue>(loop);
    loop->set_wake_handler([q = queue.get()] { q->run_pending(); });

    std::vector<Clock::time_point> starts;
    starts.reserve(300);
    {
      TVoskThreadTimer timer(platform, queue);
      timer.SetInterval(20);
      timer.SetOnTimer([&](TVoskThreadTimer&) { starts.push_back(Clock::now()); });
      timer.SetEnabled(true);
      loop->run_for(std::chrono::seconds(5));
    }
    platform->wait_until_threads_ended(std::chrono::seconds(1));

    std::vector<double> periods;
    for (std::size_t i = 1; i < starts.size(); ++i) {
      periods.push_back(
          std::chrono::duration<double, std::milli>(starts[i] - starts[i - 1]).count());
    }
    if (periods.empty()) {
      state.SkipWithError("no ticks");
      return;
    }
    std::sort(periods.begin(), periods.end());
    const double mean =
        std::accumulate(periods.begin(), periods.end(), 0.0) / static_cast<double>(periods.size());
    state.counters["ticks"] = static_cast<double>(starts.size());
    state.counters["mean_ms"] = mean;
    state.counters["p99_ms"] = periods[periods.size() * 99 / 100];
    state.counters["max_ms"] = periods.back();
  }
}
BENCHMARK(BM_TimerPacing20ms)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kb
