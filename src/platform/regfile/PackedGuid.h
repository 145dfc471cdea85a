#pragma once

#include <optional>

#include "text/Text.h"

namespace tovrel {

// Windows Installer keeps codes in its registry keys "packed": the braced GUID
// {90140000-0011-0000-0000-0000000FF1CE} becomes 00004109110000000000000000F01FEC, each of the
// first three groups reversed and each byte of the rest with its two digits swapped.
// nullopt for a text that is not a braced GUID, or not 32 hex digits.
std::optional<WideText> PackGuid(WideView guid);
std::optional<WideText> UnpackGuid(WideView packed);

}  // namespace tovrel
