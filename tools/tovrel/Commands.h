#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovrel::tool {

// Arguments in the host's ANSI code page, as the exported functions take them.
using Arguments = std::vector<std::string>;

struct Command {
  std::string usage;
  std::size_t arity;
  // Calls one export and gives what to print, in the terminal's encoding.
  std::function<std::string(const Arguments&)> run;
  // How many arguments may follow the required ones.
  std::size_t optional_arguments = 0;
};

// Every sub-command by name; each export area adds its own with a CommandRegistration.
std::map<std::string, Command>& AllCommands();

struct CommandRegistration {
  CommandRegistration(const std::string& name, Command command) {
    AllCommands().emplace(name, std::move(command));
  }
};

// A text result of an export, converted for the terminal.
std::string Text(const char* host_text);

}  // namespace tovrel::tool
