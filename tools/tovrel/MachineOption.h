#pragma once

#include <string>

#include "Commands.h"

namespace tovrel::tool {

// Makes the library read the sample machine in the folder (the portable build's registry and
// drives) and checks that the folder exists and its registry files load; kUnusable, with the
// reason on stderr, otherwise. The Windows build reads the real machine and refuses the option
// as a usage error.
ExitCode UseMachine(const std::string& folder);

}  // namespace tovrel::tool
