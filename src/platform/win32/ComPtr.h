#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace tovrel::win32 {

// Holds one COM reference and releases it when it goes out of scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr& operator=(const ComPtr& other) {
    if (this != &other) {
      reset();
      ptr_ = other.ptr_;
      if (ptr_) ptr_->AddRef();
    }
    return *this;
  }
  ~ComPtr() { reset(); }

  Interface* get() const { return ptr_; }
  Interface* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  Interface** put() {
    reset();
    return &ptr_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (ptr_) std::exchange(ptr_, nullptr)->Release();
  }

  // Queries another interface of the same object; empty when the object does not offer it.
  template <typename Other>
  ComPtr<Other> As(REFIID id) const {
    ComPtr<Other> other;
    if (ptr_) ptr_->QueryInterface(id, other.put_void());
    return other;
  }

 private:
  Interface* ptr_ = nullptr;
};

}  // namespace tovrel::win32
