#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

namespace tovrel::portable {

// UTF-8 as Linux APIs and libxml2 take it. A lone surrogate or an invalid byte becomes U+FFFD.
std::string ToUtf8(WideView text);
WideText FromUtf8(std::string_view text);

}  // namespace tovrel::portable
