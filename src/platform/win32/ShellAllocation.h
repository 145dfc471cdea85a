#pragma once

#include <windows.h>

#include <objidl.h>

#include <utility>

#include "platform/win32/ComPtr.h"

namespace tovrel::win32 {

// A block of the shell's allocator (a buffer or an item identifier list), given back to that
// allocator when it goes out of scope. put() frees the block held and gives the address for an
// out-parameter.
template <typename Block>
class ShellAllocation {
 public:
  explicit ShellAllocation(ComPtr<IMalloc> allocator) : allocator_(std::move(allocator)) {}
  ShellAllocation(const ShellAllocation&) = delete;
  ShellAllocation& operator=(const ShellAllocation&) = delete;
  ~ShellAllocation() { reset(); }

  [[nodiscard]] Block* get() const { return block_; }
  explicit operator bool() const { return block_ != nullptr; }
  Block** put() {
    reset();
    return &block_;
  }
  void reset() {
    if (block_ != nullptr) allocator_->Free(std::exchange(block_, nullptr));
  }

 private:
  ComPtr<IMalloc> allocator_;
  Block* block_ = nullptr;
};

}  // namespace tovrel::win32
