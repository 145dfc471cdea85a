#pragma once

#include <string_view>

namespace tovrel::fuzz {

// Fuzz inputs carry several texts separated by NUL bytes; this takes the next one off the front.
// The last field is what remains.
inline std::string_view NextField(std::string_view& input) {
  const std::size_t end = input.find('\0');
  const std::string_view field = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return field;
}

}  // namespace tovrel::fuzz
