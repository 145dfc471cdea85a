#pragma once

#include <string>

#include "platform/Text.h"

namespace tovrel::portable {

// The Linux path that a path given to the library names.
std::string NativePath(WideView path);

}  // namespace tovrel::portable
