#include "runtime/main_thread_queue.h"

#include <windows.h>

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

#include "platform/main_thread_waker.h"
#include "platform/win32/app_window.h"
#include "platform/win32/system_process.h"
#include "platform/win32/system_timer_platform.h"
#include "runtime/thread_timer.h"
#include "win32/later.h"
#include "win32/message_pump.h"

namespace kb::win32 {
namespace {

constexpr wchar_t kBoxCaption[] = L"Korvalen Barlume modal test";

// The program's arrangement: the hidden application window wakes the main thread, which runs
// the ticks of a real thread timer.
class TimerOnAppWindow : public testing::Test {
 protected:
  TimerOnAppWindow() {
    window.set_wake_handler([q = queue.get()] { q->run_pending(); });
    timer->SetInterval(10);
    timer->SetOnTimer([this](TVoskThreadTimer&) {
      on_main = on_main && std::this_thread::get_id() == main_thread;
      ++ticks;
      if (during_tick) {
        during_tick();
      }
    });
  }

  AppWindow window{u"Korvalen Barlume test"};
  std::shared_ptr<MainThreadQueue> queue = std::make_shared<MainThreadQueue>(window.waker());
  std::unique_ptr<TVoskThreadTimer> timer =
      std::make_unique<TVoskThreadTimer>(std::make_shared<SystemTimerPlatform>(), queue);
  const std::thread::id main_thread = std::this_thread::get_id();
  std::function<void()> during_tick;
  bool on_main = true;
  int ticks = 0;
};

TEST_F(TimerOnAppWindow, TicksArriveOnTheMainThreadThroughItsMessageLoop) {
  timer->SetEnabled(true);
  EXPECT_TRUE(test::pump_messages_until([&] { return ticks >= 10; }));
  EXPECT_TRUE(on_main);

  timer->SetEnabled(false);
  test::pump_messages_until([] { return false; }, 50);  // a tick already asked for may still run
  const int stopped_at = ticks;
  test::pump_messages_until([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped_at);
}

TEST_F(TimerOnAppWindow, TicksKeepArrivingWhileAMessageBoxIsOpen) {
  int ticks_in_box = 0;
  bool in_box = false;
  during_tick = [&] {
    if (!in_box) {
      return;
    }
    if (++ticks_in_box == 10) {
      if (HWND box = FindWindowW(nullptr, kBoxCaption)) {
        PostMessageW(box, WM_CLOSE, 0, 0);
      }
    }
  };
  // Closes the box in any case, so that a failure cannot hang the test.
  const test::Watchdog watchdog(std::chrono::seconds(10), [] {
    if (HWND box = FindWindowW(nullptr, kBoxCaption)) {
      PostMessageW(box, WM_CLOSE, 0, 0);
    }
  });

  timer->SetEnabled(true);
  in_box = true;
  MessageBoxW(window.handle(), L"Ticks go on", kBoxCaption, MB_OK);
  in_box = false;
  EXPECT_GE(ticks_in_box, 10);
  EXPECT_TRUE(on_main);
}

TEST_F(TimerOnAppWindow, TicksKeepArrivingWhileAPopupMenuIsOpen) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Transparent");
  int ticks_in_menu = 0;
  bool in_menu = false;
  during_tick = [&] {
    if (in_menu && ++ticks_in_menu == 10) {
      EndMenu();
    }
  };
  const test::Watchdog watchdog(std::chrono::seconds(10), [] {
    PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
  });

  timer->SetEnabled(true);
  SetForegroundWindow(window.handle());
  in_menu = true;
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, 100, 100, 0,
                 window.handle(), nullptr);
  in_menu = false;
  DestroyMenu(menu);
  EXPECT_GE(ticks_in_menu, 10);
}

TEST(SystemProcessLoop, ServesACallWhoseWakeUpWasLost) {
  // As when the wake-up message finds the message queue full.
  struct LostWakeUps final : MainThreadWaker {
    void wake() override {}
  };
  SystemProcess process(u"Korvalen Barlume test");
  MainThreadQueue queue(std::make_shared<LostWakeUps>());
  process.set_queued_calls_handler([&] { queue.run_pending(); });
  const DWORD main_thread = GetCurrentThreadId();
  const test::Watchdog watchdog(std::chrono::seconds(10), [main_thread] {
    PostThreadMessageW(main_thread, WM_QUIT, 0, 0);
  });
  bool served = false;
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the loop waits by then
    queue.call_sync([&] { served = true; });
  });
  process.run_message_loop([&] { return served; });
  queue.close();  // lets the worker go if its call was never served
  worker.join();
  process.set_queued_calls_handler(nullptr);
  EXPECT_TRUE(served);
}

}  // namespace
}  // namespace kb::win32
