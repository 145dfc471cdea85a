#pragma once

#include <string>
#include <string_view>

// The tool's own text is the terminal's (UTF-8 on Linux, the ANSI code page on Windows); the
// library's is the ANSI code page. These convert between the two.
std::string ToHost(std::string_view terminal_text);
std::string FromHost(std::string_view host_text);
