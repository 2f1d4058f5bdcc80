#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>

namespace kb::test {

// The GDI objects alive in the process. Wine's GetGuiResources answers 0, but its handles are
// small numbers: the count of those that name an object is the count of objects.
inline std::size_t gdi_object_count() {
  std::size_t count = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
      ++count;
    }
  }
  return count;
}

inline BOOL CALLBACK count_window(HWND, LPARAM total) {
  ++*reinterpret_cast<std::size_t*>(total);
  return TRUE;
}

inline BOOL CALLBACK count_with_children(HWND window, LPARAM total) {
  count_window(window, total);
  EnumChildWindows(window, &count_window, total);
  return TRUE;
}

// The windows of the calling thread, children included.
inline std::size_t window_count() {
  std::size_t count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &count_with_children, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Runs `cycle` `times` times and expects as many GDI objects and windows after the last run as
// after the first: the first may make what lives on (window classes, cached fonts), the rest not.
template <typename Cycle>
void expect_no_leaks(int times, Cycle cycle) {
  cycle(0);
  const std::size_t gdi = gdi_object_count();
  const std::size_t windows = window_count();
  for (int time = 1; time < times; ++time) {
    cycle(time);
  }
  EXPECT_EQ(gdi_object_count(), gdi);
  EXPECT_EQ(window_count(), windows);
}

}  // namespace kb::test
