#pragma once

#include <functional>
#include <string_view>

namespace tovrel {

// Receives bytes in order, a piece at a time; false stops whoever is writing.
using ByteSink = std::function<bool(std::string_view)>;

// Writes a whole content into a sink; false when it could not be written in full.
using ContentWriter = std::function<bool(const ByteSink&)>;

}  // namespace tovrel
