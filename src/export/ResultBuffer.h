#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace tovrel {

// A module result string: one buffer that every text result of a family is copied into, so that
// the address of an earlier result shows the latest one. A result that does not fit moves to a
// larger buffer; the outgrown ones stay allocated until unload, still holding what they held,
// so that no address ever handed out dangles.
template <typename Char>
class ResultBuffer {
 public:
  // Copies the text with a terminating NUL and gives its address, never null.
  const Char* Store(std::basic_string_view<Char> text) {
    if (text.size() >= capacity_) {
      const std::size_t capacity = std::max({kInitialCapacity, capacity_ * 2, text.size() + 1});
      auto grown = std::make_unique<Char[]>(capacity);
      if (current_) outgrown_.push_back(std::move(current_));
      current_ = std::move(grown);
      capacity_ = capacity;
    }
    std::copy(text.begin(), text.end(), current_.get());
    current_[text.size()] = Char{};
    return current_.get();
  }

 private:
  // Large enough for every path and version text; doubling keeps the outgrown buffers together
  // smaller than the current one.
  static constexpr std::size_t kInitialCapacity = 1024;

  std::unique_ptr<Char[]> current_;
  std::size_t capacity_ = 0;
  std::vector<std::unique_ptr<Char[]>> outgrown_;
};

}  // namespace tovrel
