#pragma once

#include <string>
#include <string_view>

#include "text/Text.h"

namespace tovrel {

// UTF-8, as Linux APIs, libxml2 and terminals take it. A lone surrogate or an invalid byte becomes
// U+FFFD.
std::string ToUtf8(WideView text);
WideText FromUtf8(std::string_view text);

}  // namespace tovrel
