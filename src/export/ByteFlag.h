#pragma once

#include <cstdint>

namespace tovrel {

// A flag parameter fills a 32-bit stack slot of which only the low byte counts: 0 is false,
// anything else true, so 256 reads false.
constexpr bool ByteFlag(std::uint32_t flag) {
  return (flag & 0xFFu) != 0;
}

}  // namespace tovrel
