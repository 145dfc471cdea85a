#pragma once

#include <filesystem>
#include <string>

#include "text/Text.h"

namespace tovrel::portable {

// The sample machine that the portable backends stand in for: the folder named by the
// environment variable TOVREL_MACHINE, read afresh on each call so that a program can set it
// before its first call. Empty when unset: the machine then has no drives and no registry.
std::filesystem::path MachineRoot();

// The Linux path that a path given to the library names. A Windows path "X:\a\b" (either slash)
// lies in the machine's "drives/x/a/b", each component matched without regard to case as Windows
// does, and is empty when there is no machine; a UNC path names nothing (empty); any other path
// is a native path, taken as it is.
std::string NativePath(WideView path);

}  // namespace tovrel::portable
