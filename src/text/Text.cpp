#include "text/Text.h"

namespace tovrel {

WideText WidenAscii(std::string_view ascii) {
  WideText wide;
  wide.reserve(ascii.size());
  for (char c : ascii) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string NarrowAscii(WideView wide) {
  std::string narrow;
  narrow.reserve(wide.size());
  for (char16_t c : wide) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

char16_t UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

bool EqualsIgnoreCaseInUserLocale(WideView a, WideView b) {
  return CaseKeyInUserLocale(a) == CaseKeyInUserLocale(b);
}

}  // namespace tovrel
