#include "HostArguments.h"

#include <cstdio>
#include <memory>

#include "text/Utf8.h"

#ifdef _WIN32

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Win32CodePage.h"

namespace {

const tovrel::AnsiCodePage& CodePage() {
  static const tovrel::win32::Win32CodePage code_page;
  return code_page;
}

}  // namespace

void CheckHostCodePage() {}

// The tool's own text is the ANSI code page, as the console's programs print it.
std::string FromHost(std::string_view host_text) {
  return std::string(host_text);
}

std::vector<std::string> Utf8Arguments(int, char**) {
  struct LocalDeleter {
    void operator()(LPWSTR* block) const { LocalFree(block); }
  };
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalDeleter> wide(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) {
    const std::wstring_view argument(wide.get()[i]);
    arguments.push_back(tovrel::ToUtf8(tovrel::WideText(argument.begin(), argument.end())));
  }
  return arguments;
}

#else

#include <cstdlib>
#include <stdexcept>

#include "platform/portable/IconvCodePage.h"

namespace {

std::unique_ptr<const tovrel::portable::IconvCodePage>& CodePageSlot() {
  static std::unique_ptr<const tovrel::portable::IconvCodePage> code_page;
  return code_page;
}

const tovrel::AnsiCodePage& CodePage() {
  if (!CodePageSlot()) {
    CodePageSlot() = std::make_unique<tovrel::portable::IconvCodePage>(
        tovrel::portable::IconvCodePage::NumberFromEnvironment());
  }
  return *CodePageSlot();
}

}  // namespace

void CheckHostCodePage() {
  const char* value = std::getenv("TOVREL_ACP");
  const std::string setting = value ? value : "";
  if (value != nullptr && !tovrel::portable::IconvCodePage::ParseNumber(setting)) {
    throw std::invalid_argument("TOVREL_ACP=" + setting +
                                " is not a code page number such as 1250, 1252 or 65001");
  }
  try {
    static_cast<void>(CodePage());
  } catch (const std::invalid_argument&) {
    throw std::invalid_argument("TOVREL_ACP=" + setting + ": no such code page");
  }
}

std::string FromHost(std::string_view host_text) {
  return tovrel::ToUtf8(CodePage().ToWide(host_text));
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

#endif

std::string ToHost(std::string_view utf8_argument) {
  const tovrel::WideText wide = tovrel::FromUtf8(utf8_argument);
  std::string host = CodePage().ToAnsi(wide);
  if (CodePage().ToWide(host) != wide) {
    const std::string passed = FromHost(host);
    std::fprintf(stderr,
                 "tovrel: warning: code page %u cannot hold every character of '%s'; the library "
                 "gets '%s'\n",
                 CodePage().Number(), std::string(utf8_argument).c_str(), passed.c_str());
  }
  return host;
}

tovrel::WideText HostToWide(std::string_view host_text) {
  return CodePage().ToWide(host_text);
}

std::string TerminalText(tovrel::WideView text) {
#ifdef _WIN32
  return CodePage().ToAnsi(text);
#else
  return tovrel::ToUtf8(text);
#endif
}
