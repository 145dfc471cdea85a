#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

// The tool's own text is the terminal's (UTF-8 on Linux, the ANSI code page on Windows); the
// library's is the ANSI code page. These convert between the two.

// Checks the code page the library will use; raises std::invalid_argument for a TOVREL_ACP that
// names none, which the library itself would silently take as 1252.
void CheckHostCodePage();

// A terminal text for the library; a character the code page lacks is replaced as the library
// replaces it, with a warning on stderr.
std::string ToHost(std::string_view terminal_text);
std::string FromHost(std::string_view host_text);
tovrel::WideText HostToWide(std::string_view host_text);
