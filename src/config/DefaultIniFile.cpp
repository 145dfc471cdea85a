#include "config/DefaultIniFile.h"

namespace tovrel {
namespace {

// The length of the path up to and including its last "\" or ":"; 0 when it has neither.
std::size_t DirectoryLength(WideView path) {
  const std::size_t last = path.find_last_of(u"\\:");
  return last == WideView::npos ? 0 : last + 1;
}

}  // namespace

WideText DefaultIniFileFor(WideView executable, const std::optional<WideText>& short_form) {
  WideText ini = short_form ? short_form->substr(0, DirectoryLength(*short_form)) : WideText();
  WideText file(executable.substr(DirectoryLength(executable)));
  for (std::size_t at = file.find(u".exe"); at != WideText::npos; at = file.find(u".exe", at + 4)) {
    file.replace(at, 4, u".ini");
  }
  return ini + file;
}

WideText MakeDefaultIniFile(const HostProcess& host) {
  const WideText executable = host.ExecutablePath();
  return DefaultIniFileFor(executable, host.ShortPath(executable));
}

}  // namespace tovrel
