#include "HostArguments.h"

#include <cstdio>
#include <memory>

#include "platform/Utf8.h"

#ifdef _WIN32

#include "platform/win32/Win32CodePage.h"

namespace {

const tovrel::AnsiCodePage& CodePage() {
  static const tovrel::win32::Win32CodePage code_page;
  return code_page;
}

}  // namespace

void CheckHostCodePage() {}

std::string ToHost(std::string_view terminal_text) {
  return std::string(terminal_text);
}

std::string FromHost(std::string_view host_text) {
  return std::string(host_text);
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

std::string ToHost(std::string_view terminal_text) {
  const tovrel::WideText wide = tovrel::FromUtf8(terminal_text);
  std::string host = CodePage().ToAnsi(wide);
  if (CodePage().ToWide(host) != wide) {
    const std::string passed = FromHost(host);
    std::fprintf(stderr,
                 "tovrel: warning: code page %u cannot hold every character of '%.*s'; the "
                 "library gets '%s'\n",
                 CodePage().Number(), static_cast<int>(terminal_text.size()), terminal_text.data(),
                 passed.c_str());
  }
  return host;
}

std::string FromHost(std::string_view host_text) {
  return tovrel::ToUtf8(CodePage().ToWide(host_text));
}

#endif

tovrel::WideText HostToWide(std::string_view host_text) {
  return CodePage().ToWide(host_text);
}
