#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Firewall.h"

namespace tovrel {

// Whether the profile already lists the executable; any failure to tell counts as not listed.
bool IsApplicationAuthorized(const FirewallProfile& profile, WideView image_path);

// Lists the executable under the name, enabled or not, for connections from any address over
// any IP version, unless the firewall is off or the profile allows no exceptions.
void AddToWinFirewall(FirewallProfile& profile, WideView image_path, WideView name, bool enable);

// The longest name a firewall entry takes, in UTF-16 units, as the Windows firewall limits it.
inline constexpr std::size_t kMaxFirewallNameLength = 255;

// Whether the firewall can list an entry under the name: at most kMaxFirewallNameLength units,
// none of them a control character.
[[nodiscard]] bool IsFirewallName(WideView name);

// Registers the executable with the current profile unless it is listed already, in which case
// its entry stays as it is. Gives 1, or 0 with nothing changed for a name the firewall cannot
// list (IsFirewallName); raises FirewallError when the firewall cannot be reached or refuses
// the entry.
std::int32_t DoAddToFirewall(const Firewall& firewall, WideView image_path, WideView name,
                             bool enable);

}  // namespace tovrel
