#pragma once

#include <string>
#include <vector>

#include "Commands.h"

namespace tovrel::tool {

// Makes the library read the sample machine in the folder (the portable build's registry and
// drives) and checks that the folder exists and its registry files load; kUnusable, with the
// reason on stderr, otherwise. The Windows build reads the real machine and refuses the option
// as a usage error.
ExitCode UseMachine(const std::string& folder);

// Whether the command reads installed products (a lookup, the report, the explanation of one) and
// so needs a machine: kUnusable, with the reason on stderr, when the Linux build has none set;
// kPositive otherwise. The Windows build reads the real machine.
ExitCode CheckMachineFor(const std::string& command, const std::vector<std::string>& arguments);

}  // namespace tovrel::tool
