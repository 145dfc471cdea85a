#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tovrel::portable {

// Runs a program (looked up in PATH when its name has no slash) with the arguments that follow
// it, its input empty and its errors shown where ours go, and waits for it to end. Gives what it
// wrote to its standard output when it exits with status 0; nothing when it cannot be started,
// exits with another status or is killed.
std::optional<std::string> RunForOutput(const std::vector<std::string>& command);

}  // namespace tovrel::portable
