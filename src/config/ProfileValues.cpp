#include "config/ProfileValues.h"

#include "config/BracketRule.h"
#include "config/ProtectedText.h"

namespace tovrel {
namespace {

WideView FileOrDefault(const ConfigSources& sources, WideView file_name) {
  return file_name.empty() ? sources.default_ini_file : file_name;
}

std::optional<unsigned> DigitValue(char16_t c, unsigned base) {
  unsigned value = 0;
  if (c >= u'0' && c <= u'9') {
    value = c - u'0';
  } else if (c >= u'a' && c <= u'f') {
    value = c - u'a' + 10;
  } else if (c >= u'A' && c <= u'F') {
    value = c - u'A' + 10;
  } else {
    return std::nullopt;
  }
  return value < base ? std::optional(value) : std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ParseIniInt(WideView text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  unsigned base = 10;
  if (!text.empty() && (text.front() == u'$' || text.front() == u'x' || text.front() == u'X')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t magnitude = 0;
  for (char16_t c : text) {
    const auto digit = DigitValue(c, base);
    if (!digit) return std::nullopt;
    magnitude = magnitude * base + *digit;
    if (magnitude > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

WideText ReadIniValue(const ConfigSources& sources, WideView section, WideView key,
                      WideView default_value, WideView file_name) {
  const WideText stored = sources.profiles.ReadProfileString(FileOrDefault(sources, file_name),
                                                             section, key, default_value);
  StoredText value = ApplyBracketRule(stored);
  if (!value.is_protected) return std::move(value.text);
  const AnsiText plain =
      DecryptRc4Text(sources.crypto, sources.code_page.ToAnsi(value.text), kProfilePassphrase);
  return sources.code_page.ToWide(plain);
}

std::int32_t ReadIniInt(const ConfigSources& sources, WideView section, WideView key,
                        std::int32_t default_value, WideView file_name) {
  const WideText stored =
      sources.profiles.ReadProfileString(FileOrDefault(sources, file_name), section, key, {});
  if (const auto number = ParseIniInt(stored)) return *number;
  return default_value == kNoIniIntDefault ? -1 : default_value;
}

}  // namespace tovrel
