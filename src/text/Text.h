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

// Upper-cases the ASCII letters a to z and leaves every other unit as it is; for drive letters
// and hexadecimal digits.
char16_t UpperAscii(char16_t c);

// The comparisons below are the platform's: the backend of the build defines them.

// Compares unit by unit without regard to letter case, as Windows compares registry, profile and
// file names: Cyrillic, Greek and every other cased alphabet included.
[[nodiscard]] bool EqualsIgnoreCase(WideView a, WideView b);
// The name with every unit mapped as EqualsIgnoreCase maps it: two names map to the same text
// exactly when EqualsIgnoreCase holds, so that the text can key a map of names.
[[nodiscard]] WideText FoldCase(WideView name);
// Orders names as Windows lists registry keys: negative, 0 or positive as a sorts before, with or
// after b; 0 exactly when EqualsIgnoreCase holds.
[[nodiscard]] int CompareIgnoreCase(WideView a, WideView b);
// A key by which names shown to the user compare without regard to letter case, by the user's
// locale: two names have the same key exactly when they compare equal, so that a set of keys
// finds a name without comparing it to every other.
[[nodiscard]] std::string CaseKeyInUserLocale(WideView name);

// The comparison of those keys.
[[nodiscard]] bool EqualsIgnoreCaseInUserLocale(WideView a, WideView b);

}  // namespace tovrel
