#include "Commands.h"

#include <charconv>
#include <stdexcept>

#include "HeardCalls.h"
#include "HostArguments.h"

namespace tovrel::tool {

std::map<std::string, Command>& AllCommands() {
  static std::map<std::string, Command> commands;
  return commands;
}

Outcome Positive(std::string answer) {
  return Outcome{std::move(answer), kPositive, {}};
}

Outcome Judged(std::string answer, bool positive) {
  if (positive) return Outcome{std::move(answer), kPositive, {}};
  Outcome outcome{std::move(answer), kNegative, {}};
  for (const Reason& reason : LastCall().reasons) {
    if (reason.kind == ReasonKind::kNote) continue;
    if (reason.kind == ReasonKind::kUnusableInput) outcome.code = kUnusable;
    if (!outcome.reason.empty()) outcome.reason += "\ntovrel: ";
    outcome.reason += TerminalText(reason.text);
  }
  return outcome;
}

std::string Text(const char* host_text) {
  return FromHost(host_text ? host_text : "");
}

std::string Quoted(const std::string& host_text) {
  // Built by appending: GCC 12 takes "'" + a temporary for an overlapping copy (-Wrestrict).
  std::string quoted(1, '\'');
  quoted += FromHost(host_text);
  quoted += '\'';
  return quoted;
}

std::uint32_t FlagArgument(const std::string& name, const std::string& text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument(name + " must be a number from 0 to 4294967295, not '" +
                                FromHost(text) + "'");
  }
  return value;
}

}  // namespace tovrel::tool
