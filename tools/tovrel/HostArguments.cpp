#include "HostArguments.h"

#ifdef _WIN32

std::string ToHost(std::string_view terminal_text) {
  return std::string(terminal_text);
}
std::string FromHost(std::string_view host_text) {
  return std::string(host_text);
}

#else

#include "platform/Utf8.h"
#include "platform/portable/IconvCodePage.h"

namespace {

const tovrel::portable::IconvCodePage& CodePage() {
  static const tovrel::portable::IconvCodePage code_page(
      tovrel::portable::IconvCodePage::NumberFromEnvironment());
  return code_page;
}

}  // namespace

std::string ToHost(std::string_view terminal_text) {
  return CodePage().ToAnsi(tovrel::FromUtf8(terminal_text));
}

std::string FromHost(std::string_view host_text) {
  return tovrel::ToUtf8(CodePage().ToWide(host_text));
}

#endif
