#include "platform/portable/machine/ProfileText.h"

#include "text/Utf16Le.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

bool IsBlank(char16_t c) {
  // Ctrl-Z ends text files written by old DOS editors; Windows counts it as a blank here.
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\x1A';
}

WideView Trim(WideView text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

WideView Unquote(WideView value) {
  const bool quoted = value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') &&
                      value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

WideText SwapBytes(std::string_view bytes) {
  std::string swapped(bytes);
  for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
  return DecodeUtf16Le(swapped);
}

}  // namespace

WideText DecodeProfileFile(std::string_view bytes, const AnsiCodePage& code_page) {
  if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16Le(bytes.substr(2));
  if (bytes.starts_with("\xFE\xFF")) return SwapBytes(bytes.substr(2));
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  return code_page.ToWide(bytes);
}

std::optional<WideText> FindProfileValue(WideView text, WideView section, WideView key) {
  if (key.empty()) return std::nullopt;
  bool in_section = false;
  bool section_seen = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(u'\n'), text.size());
    const WideView line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line.front() == u';') continue;
    const std::size_t close = line.rfind(u']');
    if (line.front() == u'[' && close != WideView::npos) {
      // Only the first section of a name counts; a later one of the same name is never read.
      if (section_seen) return std::nullopt;
      in_section = EqualsIgnoreCase(line.substr(1, close - 1), section);
      section_seen = in_section;
      continue;
    }
    if (!in_section) continue;
    const std::size_t equals = line.find(u'=');
    if (!EqualsIgnoreCase(Trim(line.substr(0, equals)), Trim(key))) continue;
    if (equals == WideView::npos) return std::nullopt;
    return WideText(Unquote(Trim(line.substr(equals + 1))));
  }
  return std::nullopt;
}

}  // namespace tovrel::portable
