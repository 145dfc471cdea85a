#include "config/Base64Groups.h"

#include <cstdint>

namespace tovrel {
namespace {

std::uint32_t SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A');
  if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a' + 26);
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0' + 52);
  if (c == '+') return 62;
  if (c == '/') return 63;
  return 0;
}

}  // namespace

std::string DecodeBase64Groups(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t at = 0; at + 4 <= text.size(); at += 4) {
    const std::string_view group = text.substr(at, 4);
    // The characters before the first "=" carry the group's bytes: two give one, three two.
    const std::size_t data = std::min(group.find('='), group.size());
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits = bits << 6 | (i < data ? SextetOf(group[i]) : 0);
    for (std::size_t i = 0; i + 1 < data; ++i) {
      bytes.push_back(static_cast<char>(bits >> (16 - 8 * i) & 0xFF));
    }
  }
  return bytes;
}

}  // namespace tovrel
