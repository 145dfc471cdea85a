#pragma once

#include <utility>

namespace tovrel::win32 {

// Owns one platform handle and gives it back with Close when it goes out of scope. Moves, never
// copies; put() resets it and hands out the address for an out-parameter.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle handle) : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { reset(); }

  [[nodiscard]] Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }

  Handle* put() {
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

}  // namespace tovrel::win32
