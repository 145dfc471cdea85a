#include "platform/XmlName.h"

namespace tovrel {
namespace {

bool IsNameStartChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c == u':' ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD);
}

bool IsNameChar(char16_t c) {
  return IsNameStartChar(c) || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

bool IsSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

bool IsXmlName(WideView name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    // A surrogate pair stands for a character of U+10000 to U+EFFFF, all of them name characters.
    if (IsSurrogate(c)) {
      if (c >= 0xDC00 || i + 1 == name.size() || name[i + 1] < 0xDC00 || name[i + 1] > 0xDFFF) {
        return false;
      }
      ++i;
      continue;
    }
    if (!(i == 0 ? IsNameStartChar(c) : IsNameChar(c))) return false;
  }
  return true;
}

}  // namespace tovrel
