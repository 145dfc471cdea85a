#pragma once

#include <cstdint>

#include "text/Text.h"

namespace tovrel {

// Dotted version texts such as 9.30.1.71: a field counts only when a "." follows it, so the text
// before the first "." is the major, the one before the second the minor and the one before the
// third the release; the fourth field is never used. A field that is used and is not an integer
// raises EConversionError.

// major × 100 + minor, or with the release (major × 100 + minor) × 100 + release; fields have no
// range limit, so a large one carries into the field before it, and the sum wraps at 32 bits.
// 0 when the text has no "."; a missing minor or release counts as 0.
std::int32_t VersionTextToNumber(WideView text, bool with_release);

// The major as written, ".", the minor with at least two digits, and with the release the
// letter whose code is release + 96 ("a" for 1): 9.30.1.71 gives 9.30a. Empty when the text has
// no "."; the major alone when it has one; no letter without a third ".".
WideText FormatVersionText(WideView text, bool with_release);

}  // namespace tovrel
