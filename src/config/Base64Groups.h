#pragma once

#include <string>
#include <string_view>

namespace tovrel {

// Decodes Base64 (standard alphabet, "=" padding) group by group: each whole group of four
// characters gives three bytes, or fewer when it ends in "=", and a trailing group of one to three
// characters is ignored. A character outside the alphabet counts as zero bits, so no input fails.
std::string DecodeBase64Groups(std::string_view text);

}  // namespace tovrel
