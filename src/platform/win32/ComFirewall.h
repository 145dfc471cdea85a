#pragma once

#include "platform/Firewall.h"

namespace tovrel::win32 {

// The Windows Firewall through its COM interfaces: the manager, its local policy and the policy's
// current profile. Uses the COM apartment the host set up on the calling thread.
class ComFirewall final : public Firewall {
 public:
  [[nodiscard]] std::unique_ptr<FirewallProfile> CurrentProfile() const override;
};

}  // namespace tovrel::win32
