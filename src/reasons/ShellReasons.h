#pragma once

#include "reasons/Reason.h"

namespace tovrel {

// Why SelDirectory answered an empty text.
[[nodiscard]] Reasons SelDirectoryReasons();

// Why AddToFirewall answered 0: the firewall's own error, or a name it cannot list.
[[nodiscard]] Reasons AddToFirewallReasons(WideView name, WideView firewall_error);

}  // namespace tovrel
