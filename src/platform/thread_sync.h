#pragma once

// The lock and the condition that a worker waits on while the main thread runs its call.
// On Windows they are the system's slim lock and condition variable: the standard ones of the
// MinGW thread library wait on kernel semaphores, a round trip to the kernel (under Wine, to
// the wineserver) at every hand-off, fifty times a second while the look is re-applied.
#if defined(_WIN32)
#include "platform/win32/thread_sync.h"
#else
#include <condition_variable>
#include <mutex>

namespace kb {
using Mutex = std::mutex;
using ConditionVariable = std::condition_variable;
}  // namespace kb
#endif
