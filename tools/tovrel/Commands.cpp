#include "Commands.h"

#include <charconv>
#include <stdexcept>

#include "HostArguments.h"

namespace tovrel::tool {

std::map<std::string, Command>& AllCommands() {
  static std::map<std::string, Command> commands;
  return commands;
}

Outcome Positive(std::string answer) {
  return Outcome{std::move(answer), kPositive, {}};
}

Outcome Judged(std::string answer, bool positive, std::string reason) {
  if (positive) return Outcome{std::move(answer), kPositive, {}};
  return Outcome{std::move(answer), kNegative, std::move(reason)};
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
