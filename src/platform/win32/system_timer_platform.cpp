#include "platform/win32/system_timer_platform.h"

#include <windows.h>

#include <mmsystem.h>
#include <process.h>

#include <memory>
#include <utility>

#include "platform/error.h"
#include "platform/win32/system_error.h"

namespace kb::win32 {
namespace {

int to_system_priority(TThreadPriority priority) {
  switch (priority) {
    case TThreadPriority::tpIdle:
      return THREAD_PRIORITY_IDLE;
    case TThreadPriority::tpLowest:
      return THREAD_PRIORITY_LOWEST;
    case TThreadPriority::tpLower:
      return THREAD_PRIORITY_BELOW_NORMAL;
    case TThreadPriority::tpNormal:
      return THREAD_PRIORITY_NORMAL;
    case TThreadPriority::tpHigher:
      return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThreadPriority::tpHighest:
      return THREAD_PRIORITY_HIGHEST;
    case TThreadPriority::tpTimeCritical:
      return THREAD_PRIORITY_TIME_CRITICAL;
  }
  return THREAD_PRIORITY_NORMAL;
}

unsigned __stdcall run_thread_body(void* parameter) {
  const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
  try {
    (*body)();
  } catch (...) {
    // A thread must not end by an exception; the body reports its own failures.
  }
  return 0;
}

}  // namespace

std::uint32_t SystemTimerPlatform::now_ms() {
  return timeGetTime();
}

void SystemTimerPlatform::sleep_ms(std::uint32_t ms) {
  Sleep(ms);
}

void SystemTimerPlatform::start_thread(TThreadPriority priority, std::function<void()> body) {
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  // _beginthreadex rather than CreateThread, so that the C runtime sets the thread up too.
  const std::uintptr_t thread =
      _beginthreadex(nullptr, 0, run_thread_body, owned.get(), CREATE_SUSPENDED, nullptr);
  if (thread == 0) {
    throw Error(system_error_text(GetLastError()));
  }
  owned.release();  // the thread frees it
  auto handle = reinterpret_cast<HANDLE>(thread);
  SetThreadPriority(handle, to_system_priority(priority));
  ResumeThread(handle);
  CloseHandle(handle);  // nothing ever waits for the worker
}

}  // namespace kb::win32
