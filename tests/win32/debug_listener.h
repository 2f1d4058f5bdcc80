#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace kb::test {

// Receives the debugger output of every process, as debug-output viewers do: through the
// DBWIN_BUFFER mapping and its two events. The buffer holds the process id and the line in
// the ANSI code page.
class DebugListener {
 public:
  struct Line {
    DWORD process_id;
    std::string text;
  };

  DebugListener() {
    buffer_ready_.reset(CreateEventW(nullptr, FALSE, TRUE, L"DBWIN_BUFFER_READY"));
    data_ready_.reset(CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY"));
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSize,
                                      L"DBWIN_BUFFER"));
    if (mapping_) {
      view_ = static_cast<const char*>(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, kSize));
    }
    if (buffer_ready_ && data_ready_ && view_) {
      reader_ = std::thread([this] { read(); });
    }
  }

  ~DebugListener() {
    stop_ = true;
    SetEvent(data_ready_.get());
    if (reader_.joinable()) {
      reader_.join();
    }
    if (view_) {
      UnmapViewOfFile(view_);
    }
  }

  bool listening() const { return reader_.joinable(); }

  std::vector<Line> lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  static constexpr DWORD kSize = 4096;

  void read() {
    while (WaitForSingleObject(data_ready_.get(), INFINITE) == WAIT_OBJECT_0 && !stop_) {
      DWORD process_id;
      memcpy(&process_id, view_, sizeof(process_id));
      const char* text = view_ + sizeof(DWORD);
      const std::string line(text, strnlen(text, kSize - sizeof(DWORD)));
      {
        std::lock_guard lock(mutex_);
        lines_.push_back({process_id, line});
      }
      SetEvent(buffer_ready_.get());
    }
  }

  win32::UniqueKernelHandle buffer_ready_;
  win32::UniqueKernelHandle data_ready_;
  win32::UniqueKernelHandle mapping_;
  const char* view_ = nullptr;
  std::atomic<bool> stop_{false};
  std::thread reader_;
  std::mutex mutex_;
  std::vector<Line> lines_;
};

}  // namespace kb::test
