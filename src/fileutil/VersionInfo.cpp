#include "fileutil/VersionInfo.h"

#include <array>

namespace tovrel {
namespace {

struct LanguageBlock {
  WideView language;
  WideView code_page;
};

// Tried in this order; a file whose strings are only in other blocks has no item.
constexpr std::array<LanguageBlock, 3> kLanguageBlocks{{
    {u"0415", u"04E2"},  // Polish, code page 1250
    {u"0409", u"04E4"},  // US English, code page 1252
    {u"0000", u"04E4"},  // language-neutral, code page 1252
}};

}  // namespace

WideText GetVersionInfoItem(const VersionResources& versions, WideView file_name,
                            WideView item_name) {
  const auto info = versions.Read(file_name);
  if (!info) return {};
  for (const LanguageBlock& block : kLanguageBlocks) {
    const WideText path = u"\\StringFileInfo\\" + WideText(block.language) +
                          WideText(block.code_page) + u"\\" + WideText(item_name);
    if (auto text = info->QueryText(path)) return std::move(*text);
  }
  return {};
}

std::int32_t GetFileVersionNumber(const VersionResources& versions, WideView file_name,
                                  bool with_release) {
  const auto info = versions.Read(file_name);
  if (!info) return 0;
  const auto version = info->FileVersion();
  if (!version) return 0;
  const std::int32_t major = static_cast<std::int32_t>(version->most_significant >> 16);
  const std::int32_t minor = static_cast<std::int32_t>(version->most_significant & 0xFFFFu);
  const std::int32_t release = static_cast<std::int32_t>(version->least_significant >> 16);
  return with_release ? major * 10000 + minor * 100 + release : major * 100 + minor;
}

}  // namespace tovrel
