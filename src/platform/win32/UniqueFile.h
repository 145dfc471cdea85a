#pragma once

#include <windows.h>

#include <utility>

namespace tovrel::win32 {

// A file handle from CreateFileW, whose failure value is INVALID_HANDLE_VALUE, not null.
class UniqueFile {
 public:
  explicit UniqueFile(HANDLE handle) : handle_(handle) {}
  UniqueFile(UniqueFile&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueFile& operator=(UniqueFile&&) = delete;
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  ~UniqueFile() { Close(); }
  [[nodiscard]] HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

}  // namespace tovrel::win32
