#include "text/Utf8.h"

namespace tovrel {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(b)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | c >> 6);
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | c >> 12);
    byte(0x80 | (c >> 6 & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | c >> 18);
    byte(0x80 | (c >> 12 & 0x3F));
    byte(0x80 | (c >> 6 & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(WideText& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 | c >> 10));
    out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
  }
}

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c < 0xE000;
}

}  // namespace

std::string ToUtf8(WideView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

WideText FromUtf8(std::string_view text) {
  WideText out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80       ? 1
                               : lead >> 5 == 6  ? 2
                               : lead >> 4 == 14 ? 3
                               : lead >> 3 == 30 ? 4
                                                 : 0;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1Fu
                 : length == 3 ? lead & 0x0Fu
                               : lead & 0x07u;
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = next >> 6 == 2;
      c = c << 6 | (next & 0x3Fu);
    }
    if (valid && (c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))) valid = false;
    AppendUtf16(out, valid ? c : kReplacement);
    i += valid ? length : 1;
  }
  return out;
}

}  // namespace tovrel
