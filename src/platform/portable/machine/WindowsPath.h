#pragma once

#include <filesystem>

#include "text/Text.h"

namespace tovrel::portable {

// The path the library gives back for a native path: "X:\a\b" for one inside the sample
// machine's drives/x folder ("X:\" for that folder itself), any other path as it is.
WideText WindowsPath(const std::filesystem::path& native);

}  // namespace tovrel::portable
