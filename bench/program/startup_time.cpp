// Start-up time of KorvalenBarlume.exe: from the start of its process to its icon in the
// notification area, over several starts; then it is quit. Prints each time and the median.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "e2e/program_driver.h"

int main() {
  using Clock = std::chrono::steady_clock;
  constexpr int kStarts = 9;
  std::vector<double> times;
  for (int i = 0; i < kStarts; ++i) {
    kb::e2e::ProgramDriver program(L"startup");
    const auto began = Clock::now();
    if (!program.start() || !program.wait_for_icon()) {
      std::printf("start %d: no icon\n", i);
      return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    times.push_back(ms);
    std::printf("start %d: icon after %.0f ms\n", i, ms);
    program.menu({VK_UP, VK_RETURN});
    program.wait_for_exit();
  }
  std::sort(times.begin(), times.end());
  std::printf("median: %.0f ms to the icon (of %d starts)\n", times[kStarts / 2], kStarts);
  return 0;
}
