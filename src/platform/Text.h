#pragma once

#include <string>
#include <string_view>

namespace tovrel {

// Text inside the library is UTF-16 on every platform, as it is on Windows.
using WideText = std::u16string;
using WideView = std::u16string_view;

// 8-bit text in the process's ANSI code page, or raw bytes.
using AnsiText = std::string;
using AnsiView = std::string_view;

// Widens 7-bit ASCII unchanged; for literals and protocol texts that are ASCII by definition.
WideText WidenAscii(std::string_view ascii);

// Narrows UTF-16 to ASCII, each unit outside ASCII becoming "?"; for messages and protocol texts.
std::string NarrowAscii(WideView wide);

// Upper-cases the letters of the Latin alphabets (ASCII, Latin-1, Latin Extended-A: the Polish
// letters among them), as Windows does when it compares registry and file names.
char16_t FoldCase(char16_t c);
bool EqualsIgnoreCase(WideView a, WideView b);

}  // namespace tovrel
