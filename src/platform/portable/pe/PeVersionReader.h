#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/portable/pe/ByteSource.h"

namespace tovrel::portable {

// The bytes of the version resource of a 32- or 64-bit PE image: the resource of type
// RT_VERSION and name 1, in the language-neutral or US English version when there is one, else
// the first. Only the headers, the resource directories on the way and the resource itself are
// read. Nullopt when the source is not a PE image, carries no version resource, or any offset or
// length on the way points outside the image's sections or the source.
std::optional<std::vector<std::uint8_t>> ReadPeVersionResource(const ByteSource& source);

}  // namespace tovrel::portable
