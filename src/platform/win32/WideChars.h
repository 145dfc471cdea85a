#pragma once

#include <string>

#include "text/Text.h"

namespace tovrel::win32 {

// UTF-16 text as the W functions take it; wchar_t is a UTF-16 unit on Windows.
inline const wchar_t* AsWide(const WideText& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline WideText FromWide(const wchar_t* text, std::size_t length) {
  return WideText(reinterpret_cast<const char16_t*>(text), length);
}
inline WideText FromWide(const wchar_t* text) {
  return text ? FromWide(text, std::char_traits<wchar_t>::length(text)) : WideText();
}

}  // namespace tovrel::win32
