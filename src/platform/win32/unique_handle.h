#pragma once

#include <windows.h>

#include <type_traits>

namespace kb::win32 {

// One owned handle of a kind, released on destruction. It moves but never copies, so nothing
// is released twice, and its release keeps the caller's GetLastError.
template <typename Traits>
class UniqueHandle {
 public:
  using pointer = typename Traits::type;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  pointer get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

  // Gives the handle up without releasing it.
  pointer release() noexcept {
    const pointer handle = handle_;
    handle_ = Traits::invalid();
    return handle;
  }
  void reset(pointer handle = Traits::invalid()) noexcept {
    if (handle_ != Traits::invalid()) {
      const DWORD error = GetLastError();
      Traits::close(handle_);
      SetLastError(error);
    }
    handle_ = handle;
  }
  // For a function that returns the handle through a pointer: releases the old one first.
  pointer* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  pointer handle_ = Traits::invalid();
};

namespace handle_traits {

template <typename T, auto Close, auto Invalid = nullptr>
struct Traits {
  using type = T;
  static T invalid() noexcept {
    if constexpr (std::is_null_pointer_v<decltype(Invalid)>) {
      return nullptr;
    } else {
      return Invalid();
    }
  }
  static void close(T handle) noexcept { Close(handle); }
};

inline HANDLE invalid_file() noexcept {
  return INVALID_HANDLE_VALUE;
}
inline void delete_gdi_object(HGDIOBJ object) noexcept {
  DeleteObject(object);
}

}  // namespace handle_traits

// A kernel object that is null when absent: a process, a thread, an event, a mapping.
using UniqueKernelHandle = UniqueHandle<handle_traits::Traits<HANDLE, &CloseHandle>>;
// A file, whose absence is INVALID_HANDLE_VALUE.
using UniqueFile =
    UniqueHandle<handle_traits::Traits<HANDLE, &CloseHandle, &handle_traits::invalid_file>>;
using UniqueFind =
    UniqueHandle<handle_traits::Traits<HANDLE, &FindClose, &handle_traits::invalid_file>>;
using UniqueKey = UniqueHandle<handle_traits::Traits<HKEY, &RegCloseKey>>;
using UniqueWindow = UniqueHandle<handle_traits::Traits<HWND, &DestroyWindow>>;
using UniqueMenu = UniqueHandle<handle_traits::Traits<HMENU, &DestroyMenu>>;
using UniqueIcon = UniqueHandle<handle_traits::Traits<HICON, &DestroyIcon>>;
using UniqueBitmap = UniqueHandle<handle_traits::Traits<HBITMAP, &handle_traits::delete_gdi_object>>;
using UniqueFont = UniqueHandle<handle_traits::Traits<HFONT, &handle_traits::delete_gdi_object>>;
using UniqueBrush = UniqueHandle<handle_traits::Traits<HBRUSH, &handle_traits::delete_gdi_object>>;
using UniqueDc = UniqueHandle<handle_traits::Traits<HDC, &DeleteDC>>;

// A window's drawing context, from GetDC to ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) {
      ReleaseDC(window_, dc_);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A window's painting, from BeginPaint to EndPaint, so that the window counts as painted
// whatever happens between.
class Painting {
 public:
  explicit Painting(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~Painting() {
    if (dc_ != nullptr) {
      EndPaint(window_, &paint_);
    }
  }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;

  HDC dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a drawing context until the end of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ != nullptr) {
      SelectObject(dc_, old_);
    }
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace kb::win32
