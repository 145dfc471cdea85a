#include "platform/portable/machine/IniProfileFiles.h"

#include <optional>
#include <string>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/machine/ProfileText.h"
#include "platform/portable/posix/RegularFile.h"

namespace tovrel::portable {

IniProfileFiles::IniProfileFiles(const AnsiCodePage& code_page) : code_page_(code_page) {}

WideText IniProfileFiles::ReadProfileString(WideView file_name, WideView section, WideView key,
                                            WideView default_value) const {
  // Windows drops the default's trailing spaces.
  while (!default_value.empty() && default_value.back() == u' ') default_value.remove_suffix(1);
  const std::string path = NativePath(file_name);
  if (path.empty()) return WideText(default_value);
  const std::optional<std::string> bytes = ReadRegularFile(path);
  if (!bytes) return WideText(default_value);
  const WideText text = DecodeProfileFile(*bytes, code_page_);
  return FindProfileValue(text, section, key).value_or(WideText(default_value));
}

}  // namespace tovrel::portable
