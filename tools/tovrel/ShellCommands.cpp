#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

// The flag as the installer passes it: a whole 32-bit number, of which the library reads the
// low byte (256 is false).
std::uint32_t FlagArgument(const std::string& text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument("ENABLE must be a number from 0 to 4294967295, not '" + text + "'");
  }
  return value;
}

const CommandRegistration kSelDirectory{"sel-directory",
                                        {"CAPTION ROOT", 2, [](const Arguments& a) {
                                           return Text(SelDirectory(a[0].c_str(), a[1].c_str()));
                                         }}};

const CommandRegistration kAddToFirewall{
    "add-to-firewall",
    {"IMAGE NAME ENABLE", 3, [](const Arguments& a) {
       return std::to_string(AddToFirewall(a[0].c_str(), a[1].c_str(), FlagArgument(a[2])));
     }}};

}  // namespace
}  // namespace tovrel::tool
