#pragma once

#include <string>
#include <string_view>

#include "text/Text.h"

namespace tovrel {

// UTF-16 text as the little-endian bytes that Windows stores in files and registry values.
std::string EncodeUtf16Le(WideView text);
// An odd last byte, which no UTF-16 text has, is dropped.
WideText DecodeUtf16Le(std::string_view bytes);

}  // namespace tovrel
