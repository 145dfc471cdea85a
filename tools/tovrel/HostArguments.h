#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/Text.h"

// The tool takes its arguments as UTF-8 (on Windows from the wide command line) and prints the
// terminal's text (UTF-8 on Linux, the ANSI code page on Windows); the library's text is the ANSI
// code page. These convert between them.

// Checks the code page the library will use; raises std::invalid_argument for a TOVREL_ACP that
// names none, which the library itself would silently take as 1252.
void CheckHostCodePage();

// An argument for the library; a character the code page lacks is replaced as the library
// replaces it, with a warning on stderr.
std::string ToHost(std::string_view utf8_argument);

// The command line's arguments in UTF-8: on Windows read from the wide command line, so that no
// character is lost before the tool sees it.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
std::string FromHost(std::string_view host_text);
tovrel::WideText HostToWide(std::string_view host_text);
// A text of the library's, such as a parser's message, for the terminal.
std::string TerminalText(tovrel::WideView text);
