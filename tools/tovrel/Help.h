#pragma once

#include <string>

namespace tovrel::tool {

// The whole usage: every command with what it does, the environment and the exit codes.
std::string Usage();

// One command's usage and what it does; empty for an unknown command.
std::string CommandHelp(const std::string& name);

// The project's version, the one the DLL's version resource carries.
std::string VersionText();

}  // namespace tovrel::tool
