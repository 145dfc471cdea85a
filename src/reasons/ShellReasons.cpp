#include "reasons/ShellReasons.h"

#include <string>

#include "shell/FirewallRegistration.h"

namespace tovrel {

Reasons SelDirectoryReasons() {
  return {{ReasonKind::kNegative, u"no folder chosen (cancelled or no browser)"}};
}

Reasons AddToFirewallReasons(WideView name, WideView firewall_error) {
  if (!IsFirewallName(name)) {
    return {{ReasonKind::kUnusableInput, Quoted(name) + u" cannot name a firewall entry: at most " +
                                             WidenAscii(std::to_string(kMaxFirewallNameLength)) +
                                             u" characters, none a control character"}};
  }
  WideText text = u"the firewall could not be reached or refused the entry";
  if (!firewall_error.empty()) text += u": " + WideText(firewall_error);
  return {{ReasonKind::kNegative, std::move(text)}};
}

}  // namespace tovrel
