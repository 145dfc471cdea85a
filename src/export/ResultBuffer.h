#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace tovrel {

// The module result string: one buffer that every text result is copied into, so that the
// address of an earlier result shows the latest one. A result that does not fit moves to a
// larger buffer; the outgrown ones stay allocated until unload, still holding what they held,
// so that no address ever handed out dangles.
class ResultBuffer {
 public:
  // Copies the text with a terminating NUL and gives its address, never null.
  const char* Store(std::string_view text);

 private:
  std::unique_ptr<char[]> current_;
  std::size_t capacity_ = 0;
  std::vector<std::unique_ptr<char[]>> outgrown_;
};

}  // namespace tovrel
