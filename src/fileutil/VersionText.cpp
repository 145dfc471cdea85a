#include "fileutil/VersionText.h"

#include <array>
#include <cstdio>
#include <optional>

#include "fileutil/IntegerText.h"

namespace tovrel {
namespace {

// The major, minor and release fields, each present only when a "." follows it.
struct DottedFields {
  std::array<std::optional<WideView>, 3> fields;
};

DottedFields SplitFields(WideView text) {
  DottedFields split;
  std::size_t start = 0;
  for (auto& field : split.fields) {
    const std::size_t dot = text.find(u'.', start);
    if (dot == WideView::npos) break;
    field = text.substr(start, dot - start);
    start = dot + 1;
  }
  return split;
}

WideText TwoDigits(std::int32_t value) {
  std::array<char, 16> digits{};
  std::snprintf(digits.data(), digits.size(), "%2.2d", static_cast<int>(value));
  return WidenAscii(digits.data());
}

}  // namespace

std::int32_t VersionTextToNumber(WideView text, bool with_release) {
  const auto [major, minor, release] = SplitFields(text).fields;
  if (!major) return 0;
  // Unsigned arithmetic wraps as the 32-bit result does, without undefined overflow.
  std::uint32_t number = static_cast<std::uint32_t>(IntegerFromText(*major)) * 100u;
  if (!minor) return static_cast<std::int32_t>(number);
  number += static_cast<std::uint32_t>(IntegerFromText(*minor));
  if (!with_release) return static_cast<std::int32_t>(number);
  number *= 100u;
  if (release) number += static_cast<std::uint32_t>(IntegerFromText(*release));
  return static_cast<std::int32_t>(number);
}

WideText FormatVersionText(WideView text, bool with_release) {
  const auto [major, minor, release] = SplitFields(text).fields;
  if (!major) return {};
  WideText display(*major);
  if (!minor) return display;
  display += u'.';
  display += TwoDigits(IntegerFromText(*minor));
  if (with_release && release) {
    const auto code = static_cast<std::uint32_t>(IntegerFromText(*release)) + 96u;
    display += static_cast<char16_t>(code & 0xFFFFu);
  }
  return display;
}

}  // namespace tovrel
