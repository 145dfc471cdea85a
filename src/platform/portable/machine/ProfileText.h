#pragma once

#include <optional>
#include <string_view>

#include "platform/AnsiCodePage.h"

namespace tovrel::portable {

// The text of a profile file: UTF-16 (either byte order) or UTF-8 after a byte-order mark, else
// the ANSI code page.
WideText DecodeProfileFile(std::string_view bytes, const AnsiCodePage& code_page);

// The value of a key in a section of a profile file's text, as Windows finds it: the first
// section of that name (without regard to case) and in it the first key of that name; blanks
// around names and values dropped and one pair of enclosing quotes (" or ') removed. Lines that
// start with ";" are comments. Nullopt when the section or the key is missing, the key name is
// empty or its line has no "=".
std::optional<WideText> FindProfileValue(WideView text, WideView section, WideView key);

}  // namespace tovrel::portable
