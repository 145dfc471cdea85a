#pragma once

#include <windows.h>

#include <utility>

namespace tovrel::win32 {

// A search handle from FindFirstFileW, closed with FindClose; its failure value is
// INVALID_HANDLE_VALUE, not null.
class UniqueFind {
 public:
  explicit UniqueFind(HANDLE handle) : handle_(handle) {}
  UniqueFind(UniqueFind&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueFind& operator=(UniqueFind&&) = delete;
  UniqueFind(const UniqueFind&) = delete;
  UniqueFind& operator=(const UniqueFind&) = delete;
  ~UniqueFind() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  [[nodiscard]] HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace tovrel::win32
