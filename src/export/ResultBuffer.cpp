#include "export/ResultBuffer.h"

#include <algorithm>

namespace tovrel {
namespace {

// Large enough for every path and version text; doubling keeps the outgrown buffers together
// smaller than the current one.
constexpr std::size_t kInitialCapacity = 1024;

}  // namespace

const char* ResultBuffer::Store(std::string_view text) {
  if (text.size() >= capacity_) {
    const std::size_t capacity = std::max({kInitialCapacity, capacity_ * 2, text.size() + 1});
    auto grown = std::make_unique<char[]>(capacity);
    if (current_) outgrown_.push_back(std::move(current_));
    current_ = std::move(grown);
    capacity_ = capacity;
  }
  std::copy(text.begin(), text.end(), current_.get());
  current_[text.size()] = '\0';
  return current_.get();
}

}  // namespace tovrel
