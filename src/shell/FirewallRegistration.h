#pragma once

#include <cstdint>

#include "platform/Firewall.h"

namespace tovrel {

// Whether the profile already lists the executable; any failure to tell counts as not listed.
bool IsApplicationAuthorized(const FirewallProfile& profile, WideView image_path);

// Lists the executable under the name, enabled or not, for connections from any address over
// any IP version, unless the firewall is off or the profile allows no exceptions.
void AddToWinFirewall(FirewallProfile& profile, WideView image_path, WideView name, bool enable);

// Registers the executable with the current profile unless it is listed already, in which case
// its entry stays as it is. Gives 1; raises FirewallError when the firewall cannot be reached or
// refuses the entry.
std::int32_t DoAddToFirewall(const Firewall& firewall, WideView image_path, WideView name,
                             bool enable);

}  // namespace tovrel
