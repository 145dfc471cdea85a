// tovrel: calls the library's exported functions from a shell, one sub-command per export.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "Commands.h"
#include "HeardCalls.h"
#include "Help.h"
#include "HostArguments.h"
#include "MachineOption.h"

#ifdef _WIN32
#include <objbase.h>
#endif

namespace tovrel::tool {
namespace {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tovrel: %s\n(tovrel --help lists the commands)\n", message.c_str());
  return kUsage;
}

bool IsHelpOption(const std::string& word) {
  return word == "--help" || word == "-h";
}

bool IsVersionOption(const std::string& word) {
  return word == "--version" || word == "-V";
}

int Help(const std::string& command) {
  if (command.empty()) {
    std::fputs(Usage().c_str(), stdout);
    return kPositive;
  }
  const std::string help = CommandHelp(command);
  if (help.empty()) return UsageError("unknown command '" + command + "'");
  std::fputs(help.c_str(), stdout);
  return kPositive;
}

int RunCommand(const std::string& name, const std::vector<std::string>& words) {
  const Command& command = AllCommands().at(name);
  if (words.size() < command.arity || words.size() > command.arity + command.optional_arguments) {
    std::fprintf(stderr, "tovrel: %s takes %s\n%s", name.c_str(),
                 command.usage.empty() ? "no arguments" : command.usage.c_str(),
                 CommandHelp(name).c_str());
    return kUsage;
  }
  if (const ExitCode code = CheckMachineFor(name, words); code != kPositive) return code;
#ifdef _WIN32
  // The library leaves COM to its host, as an installer initialises it for its own thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  Outcome outcome;
  try {
    CheckHostCodePage();
    Arguments arguments;
    for (const std::string& word : words) arguments.push_back(ToHost(word));
    outcome = command.run(arguments);
  } catch (const std::invalid_argument& error) {
    return UsageError(error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tovrel: %s\n", error.what());
    return kUsage;
  }
  std::printf("%s\n", outcome.answer.c_str());
  if (outcome.code != kPositive) std::fprintf(stderr, "tovrel: %s\n", outcome.reason.c_str());
  return outcome.code;
}

int Run(const std::vector<std::string>& words) {
  // --help anywhere asks for help, about the command when one is named.
  for (const std::string& word : words) {
    if (!IsHelpOption(word)) continue;
    for (const std::string& other : words) {
      if (AllCommands().contains(other)) return Help(other);
    }
    return Help({});
  }
  // The tool's own options may stand before or after the command; what is left is the command
  // and its arguments.
  std::vector<std::string> left;
  bool print_log = false;
  for (std::size_t next = 0; next < words.size(); ++next) {
    const std::string& word = words[next];
    if (IsVersionOption(word) && left.empty()) {
      std::fputs(VersionText().c_str(), stdout);
      return kPositive;
    }
    if (word == "--log") {
      print_log = true;
    } else if (word == "--machine") {
      if (next + 1 >= words.size()) return UsageError("--machine needs a folder: --machine DIR");
      if (const ExitCode code = UseMachine(words[++next]); code != kPositive) return code;
    } else if (word.starts_with("-") && left.empty()) {
      return UsageError("unknown option '" + word + "'");
    } else {
      left.push_back(word);
    }
  }
  if (left.empty()) {
    std::fputs(Usage().c_str(), stderr);
    return kUsage;
  }
  HearCalls(print_log);
  const std::string& name = left.front();
  const std::vector<std::string> rest(left.begin() + 1, left.end());
  if (name == "help") {
    if (rest.size() > 1) return UsageError("help takes at most one command");
    return Help(rest.empty() ? std::string() : rest[0]);
  }
  if (name == "version") {
    if (!rest.empty()) return UsageError("version takes no arguments");
    std::fputs(VersionText().c_str(), stdout);
    return kPositive;
  }
  if (!AllCommands().contains(name)) return UsageError("unknown command '" + name + "'");
  return RunCommand(name, rest);
}

}  // namespace
}  // namespace tovrel::tool

int main(int argc, char** argv) {
  return tovrel::tool::Run(Utf8Arguments(argc, argv));
}
