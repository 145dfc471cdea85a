// tovrel: calls the library's exported functions from a shell, one sub-command per export.
#include <cstdio>
#include <exception>
#include <string>

#include "Commands.h"
#include "HostArguments.h"
#include "MachineOption.h"

#ifdef _WIN32
#include <objbase.h>
#endif

namespace tovrel::tool {

std::map<std::string, Command>& AllCommands() {
  static std::map<std::string, Command> commands;
  return commands;
}

std::string Text(const char* host_text) {
  return FromHost(host_text ? host_text : "");
}

}  // namespace tovrel::tool

namespace {

int Usage() {
  std::fputs("usage: tovrel [--machine DIR] COMMAND ARGUMENTS...\n", stderr);
  for (const auto& [name, command] : tovrel::tool::AllCommands()) {
    std::fprintf(stderr, "  tovrel %s %s\n", name.c_str(), command.usage.c_str());
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--machine") {
    if (!UseMachine(argv[2])) return 2;
    argv[2] = argv[0];
    argv += 2;
    argc -= 2;
  }
  if (argc < 2) return Usage();
  const auto& commands = tovrel::tool::AllCommands();
  const auto found = commands.find(argv[1]);
  if (found == commands.end()) {
    std::fprintf(stderr, "tovrel: unknown command '%s'\n", argv[1]);
    return Usage();
  }
  const tovrel::tool::Command& command = found->second;
  const auto given = static_cast<std::size_t>(argc - 2);
  if (given < command.arity || given > command.arity + command.optional_arguments) {
    std::fprintf(stderr, "usage: tovrel %s %s\n", argv[1], command.usage.c_str());
    return 2;
  }
  tovrel::tool::Arguments arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(ToHost(argv[i]));
#ifdef _WIN32
  // The library leaves COM to its host, as an installer initialises it for its own thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  try {
    std::printf("%s\n", command.run(arguments).c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tovrel: %s\n", error.what());
    return 2;
  }
  return 0;
}
