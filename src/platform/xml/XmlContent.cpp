#include "platform/xml/XmlContent.h"

#include "platform/XmlDom.h"

namespace tovrel {
namespace {

// libxml2's limits when XML_PARSE_HUGE is not given, in UTF-8 bytes: a name, the text of one
// node, and an attribute value as it is written, escapes included.
constexpr std::size_t kMaxNameBytes = 50'000;
constexpr std::size_t kMaxTextBytes = 10'000'000;
constexpr std::size_t kMaxWrittenAttributeBytes = 9'999'990;

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

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsPairAt(WideView text, std::size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
}

// A character of the Char production that takes one UTF-16 unit.
bool IsSingleUnitChar(char16_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD);
}

std::size_t Utf8Bytes(char16_t c) {
  return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

// Bytes of the text in UTF-8, a surrogate pair counting four.
std::size_t Utf8Length(WideView text) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsPairAt(text, i)) {
      bytes += 4;
      ++i;
    } else {
      bytes += Utf8Bytes(text[i]);
    }
  }
  return bytes;
}

// Bytes of an attribute value as a serialiser writes it, each character taking its longest
// escape ("&quot;").
std::size_t WrittenAttributeLength(WideView value) {
  std::size_t bytes = Utf8Length(value);
  for (const char16_t c : value) {
    if (c == u'&' || c == u'<' || c == u'>' || c == u'"' || c == u'\t' || c == u'\n' ||
        c == u'\r') {
      bytes += 5;
    }
  }
  return bytes;
}

}  // namespace

bool IsXmlName(WideView name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    // A surrogate pair stands for a character of U+10000 to U+10FFFF; those up to U+EFFFF are
    // name characters.
    if (IsHighSurrogate(name[i]) || IsLowSurrogate(name[i])) {
      if (!IsPairAt(name, i) || name[i] > 0xDB7F) return false;
      ++i;
      continue;
    }
    if (!(i == 0 ? IsNameStartChar(name[i]) : IsNameChar(name[i]))) return false;
  }
  return true;
}

bool IsXmlText(WideView text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsPairAt(text, i)) {
      ++i;
    } else if (!IsSingleUnitChar(text[i])) {
      return false;
    }
  }
  return true;
}

WideText WithoutNonXmlChars(WideView text) {
  WideText kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsPairAt(text, i)) {
      kept.append(text.substr(i, 2));
      ++i;
    } else if (IsSingleUnitChar(text[i])) {
      kept.push_back(text[i]);
    }
  }
  return kept;
}

void CheckElementName(WideView name) {
  // A new element is written under exactly its name: a colon in it would make a prefix that no
  // declaration binds where it goes, which a namespace-aware parser refuses.
  if (!IsXmlName(name) || name.find(u':') != WideView::npos || Utf8Length(name) > kMaxNameBytes) {
    throw XmlDomError("invalid element name");
  }
}

void CheckTextValue(WideView value, bool cdata) {
  if (!IsXmlText(value) || Utf8Length(value) > kMaxTextBytes ||
      (cdata && value.find(u"]]>") != WideView::npos)) {
    throw XmlDomError("text that XML cannot hold");
  }
}

void CheckAttributeValue(WideView value) {
  if (!IsXmlText(value) || WrittenAttributeLength(value) > kMaxWrittenAttributeBytes) {
    throw XmlDomError("attribute value that XML cannot hold");
  }
}

}  // namespace tovrel
