#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tovrel::capture {

// The bytes of the smallest 32-bit Windows image that carries the version resource and nothing
// else: headers and one resource section holding the resource as type RT_VERSION, name 1,
// language neutral. Windows' version functions and the library's own PE reader both read the
// resource back byte for byte; the image holds no code and cannot run.
std::string VersionCarrierImage(std::span<const std::uint8_t> version_resource);

}  // namespace tovrel::capture
