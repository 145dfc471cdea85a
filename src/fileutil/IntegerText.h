#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "text/Text.h"

namespace tovrel {

// Raised when a text that must be an integer is not one. Message() holds the text as given;
// what() the same with characters outside ASCII shown as "?".
class EConversionError : public std::runtime_error {
 public:
  explicit EConversionError(WideView text);
  [[nodiscard]] const WideText& Message() const { return message_; }

 private:
  WideText message_;
};

// The 32-bit signed integer a text writes: after any leading spaces, an optional sign, then
// decimal digits within the signed range, or up to 32 bits of hexadecimal digits after "$",
// "x", "X", "0x" or "0X" ($FFFFFFFF is -1), and nothing else. nullopt for any other text, the
// empty one included.
std::optional<std::int32_t> ParseInteger(WideView text);

// The same, raising EConversionError where ParseInteger gives nullopt.
std::int32_t IntegerFromText(WideView text);

}  // namespace tovrel
