#include "config/ProfileValues.h"

#include "config/BracketRule.h"
#include "config/ProtectedText.h"
#include "fileutil/IntegerText.h"

namespace tovrel {
namespace {

WideView FileOrDefault(const ConfigSources& sources, WideView file_name) {
  return file_name.empty() ? sources.default_ini_file : file_name;
}

}  // namespace

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
  if (const auto number = ParseInteger(stored)) return *number;
  return default_value == kNoIniIntDefault ? -1 : default_value;
}

}  // namespace tovrel
