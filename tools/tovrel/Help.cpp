#include "Help.h"

#include "Commands.h"

namespace tovrel::tool {
namespace {

std::string UsageLine(const std::string& name, const Command& command) {
  return command.usage.empty() ? name : name + " " + command.usage;
}

constexpr char kExitCodes[] =
    "exit codes:\n"
    "  0  the positive answer: written, found, a version, a folder\n"
    "  1  the library's negative answer (0, Empty, an empty text); stderr says why\n"
    "  2  a usage error\n"
    "  3  the machine folder or an input file cannot be used; stderr says why\n";

}  // namespace

std::string Usage() {
  std::string text =
      "usage: tovrel [--machine DIR] [--log] COMMAND ARGUMENTS...\n"
      "       tovrel help [COMMAND] | --help | --version\n"
      "\ncommands:\n";
  for (const auto& [name, command] : AllCommands()) {
    text += "  " + UsageLine(name, command) + "\n      " + command.summary + "\n";
  }
  text +=
      "\noptions:\n"
      "  --machine DIR   run against the sample machine in DIR (Linux build)\n"
      "  --log           print on stderr the lines an installer's log gets for each call\n"
      "  --help, -h      this text; with a command, that command's\n"
      "  --version, -V   the version of tovrel and of the library\n"
      "\nenvironment:\n"
      "  TOVREL_MACHINE  (Linux) the sample-machine folder the library reads, as --machine sets "
      "it\n"
      "  TOVREL_ACP      (Linux) the library's ANSI code page: 1252 unless set, e.g. 1250, 932, "
      "65001\n"
      "\n";
  return text + kExitCodes;
}

std::string CommandHelp(const std::string& name) {
  const auto found = AllCommands().find(name);
  if (found == AllCommands().end()) return {};
  return "usage: tovrel [--machine DIR] [--log] " + UsageLine(name, found->second) + "\n" +
         found->second.summary + "\n\n" + kExitCodes;
}

std::string VersionText() {
  return "tovrel " TOVREL_VERSION "\n";
}

}  // namespace tovrel::tool
