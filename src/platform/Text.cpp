#include "platform/Text.h"

#include <algorithm>

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

char16_t FoldCase(char16_t c) {
  const auto minus = [c](int d) { return static_cast<char16_t>(c - d); };
  if (c >= u'a' && c <= u'z') return minus(0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return minus(0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs an upper-case letter with the lower-case one after it, with the
  // pairs starting on odd code points between U+0139 and U+0148 and from U+0179.
  const bool odd_pairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  const bool even_pairs = c >= 0x100 && c <= 0x177 && !odd_pairs && c != 0x130 && c != 0x131 &&
                          c != 0x138 && c != 0x149;
  if (even_pairs && c % 2 == 1) return minus(1);
  if (odd_pairs && c % 2 == 0) return minus(1);
  return c;
}

bool EqualsIgnoreCase(WideView a, WideView b) {
  return std::ranges::equal(a, b,
                            [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace tovrel
