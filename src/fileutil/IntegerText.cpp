#include "fileutil/IntegerText.h"

#include <optional>

namespace tovrel {
namespace {

WideText ConversionMessage(WideView text) {
  return u"''" + WideText(text) + u"'' is not a valid integer value";
}

std::optional<unsigned> DigitValue(char16_t c, unsigned base) {
  unsigned value = base;
  if (c >= u'0' && c <= u'9') value = static_cast<unsigned>(c - u'0');
  if (c >= u'a' && c <= u'f') value = static_cast<unsigned>(c - u'a' + 10);
  if (c >= u'A' && c <= u'F') value = static_cast<unsigned>(c - u'A' + 10);
  if (value >= base) return std::nullopt;
  return value;
}

bool StartsWith(WideView text, std::size_t at, char16_t c) {
  return at < text.size() && text[at] == c;
}

}  // namespace

EConversionError::EConversionError(WideView text)
    : std::runtime_error(NarrowAscii(ConversionMessage(text))), message_(ConversionMessage(text)) {}

std::optional<std::int32_t> ParseInteger(WideView text) {
  std::size_t at = 0;
  while (StartsWith(text, at, u' ')) ++at;
  const bool negative = StartsWith(text, at, u'-');
  if (negative || StartsWith(text, at, u'+')) ++at;

  unsigned base = 10;
  if (StartsWith(text, at, u'$') || StartsWith(text, at, u'x') || StartsWith(text, at, u'X')) {
    base = 16;
    at += 1;
  } else if (StartsWith(text, at, u'0') &&
             (StartsWith(text, at + 1, u'x') || StartsWith(text, at + 1, u'X'))) {
    base = 16;
    at += 2;
  }
  if (at == text.size()) return std::nullopt;

  // Hexadecimal digits give the 32 bits themselves, so $FFFFFFFF is -1; a decimal magnitude may
  // reach 2^31 only when the sign makes it the smallest value.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    const auto digit = DigitValue(text[at], base);
    if (!digit) return std::nullopt;
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::int32_t IntegerFromText(WideView text) {
  const auto value = ParseInteger(text);
  if (!value) throw EConversionError(text);
  return *value;
}

}  // namespace tovrel
