// Owning wrappers for the handles the program creates, each released by the
// call that matches its kind when the owner goes away.
#pragma once

#include <windows.h>

#include <utility>

template <class THandle, BOOL(WINAPI* Release)(THandle)>
class TOwnedHandle {
 public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(THandle handle) : handle_(handle) {}
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  TOwnedHandle(TOwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~TOwnedHandle() { Reset(); }

  THandle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Gives up ownership without releasing (the system has already done so).
  THandle Detach() { return std::exchange(handle_, nullptr); }

  void Reset(THandle handle = nullptr) {
    if (handle_) Release(handle_);
    handle_ = handle;
  }

 private:
  THandle handle_ = nullptr;
};

inline BOOL WINAPI DeleteFontHandle(HFONT font) {
  return DeleteObject(font);
}
inline BOOL WINAPI DeleteBrushHandle(HBRUSH brush) {
  return DeleteObject(brush);
}

using TFontHandle = TOwnedHandle<HFONT, DeleteFontHandle>;
using TBrushHandle = TOwnedHandle<HBRUSH, DeleteBrushHandle>;
using TIconHandle = TOwnedHandle<HICON, DestroyIcon>;
using TWindowHandle = TOwnedHandle<HWND, DestroyWindow>;
