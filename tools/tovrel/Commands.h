#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovrel::tool {

// Arguments in the host's ANSI code page, as the exported functions take them.
using Arguments = std::vector<std::string>;

// The exit codes scripts tell the outcomes apart by.
enum ExitCode : int {
  kPositive = 0,  // written, found, a version, a folder
  kNegative = 1,  // the library answered its negative result: 0, "Empty", an empty text
  kUsage = 2,     // the command line was wrong
  kUnusable = 3,  // the machine folder or an input file cannot be used
};

// What a command prints on stdout, exactly as the library answered, and when the answer is not
// the positive one, why, in one line for stderr.
struct Outcome {
  std::string answer;
  ExitCode code = kPositive;
  std::string reason;
};

// The positive outcome of an answer.
Outcome Positive(std::string answer);

// Outcome of the last call's answer: positive when `positive` holds; otherwise negative, or
// unusable when an input cannot be used, with the reasons the library gave.
Outcome Judged(std::string answer, bool positive);

struct Command {
  std::string usage;
  std::size_t arity;
  // Calls one export and gives what to print, in the terminal's encoding.
  std::function<Outcome(const Arguments&)> run;
  // What the command does, in one line.
  std::string summary;
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

// A host text (a file name, a path) for a message on the terminal, in quotes.
std::string Quoted(const std::string& host_text);

// A byte flag as the installer passes it: a whole 32-bit number, of which the library reads the
// low byte (256 is false). Raises std::invalid_argument, naming the argument, for anything else.
std::uint32_t FlagArgument(const std::string& name, const std::string& text);

}  // namespace tovrel::tool
