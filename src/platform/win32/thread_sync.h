#pragma once

#include <windows.h>

#include <mutex>

namespace kb {

// A slim reader/writer lock taken exclusively: a std::mutex for std::lock_guard and
// std::unique_lock.
class Mutex {
 public:
  Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void lock() { AcquireSRWLockExclusive(&lock_); }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  friend class ConditionVariable;
  SRWLOCK lock_ = SRWLOCK_INIT;
};

// The system's condition variable over Mutex, with the part of std::condition_variable used.
class ConditionVariable {
 public:
  ConditionVariable() = default;
  ConditionVariable(const ConditionVariable&) = delete;
  ConditionVariable& operator=(const ConditionVariable&) = delete;

  template <typename Predicate>
  void wait(std::unique_lock<Mutex>& lock, Predicate done) {
    while (!done()) {
      SleepConditionVariableSRW(&condition_, &lock.mutex()->lock_, INFINITE, 0);
    }
  }
  void notify_all() { WakeAllConditionVariable(&condition_); }

 private:
  CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

}  // namespace kb
