#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tovrel::portable {

// Little-endian fields of file formats, read byte by byte so that neither alignment nor the
// host's byte order matters. The caller has checked that the bytes are there.
inline std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Le16(bytes, at)) |
         static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

}  // namespace tovrel::portable
