#include "HostArguments.h"

#ifdef _WIN32

std::string ToHost(std::string_view terminal_text) {
  return std::string(terminal_text);
}
std::string FromHost(std::string_view host_text) {
  return std::string(host_text);
}

#else

#include "platform/portable/IconvCodePage.h"
#include "platform/portable/Utf8.h"

namespace {

const tovrel::portable::IconvCodePage& CodePage() {
  static const tovrel::portable::IconvCodePage code_page(
      tovrel::portable::IconvCodePage::NumberFromEnvironment());
  return code_page;
}

}  // namespace

std::string ToHost(std::string_view terminal_text) {
  return CodePage().ToAnsi(tovrel::portable::FromUtf8(terminal_text));
}

std::string FromHost(std::string_view host_text) {
  return tovrel::portable::ToUtf8(CodePage().ToWide(host_text));
}

#endif
