#include "shell/FirewallRegistration.h"

namespace tovrel {

bool IsApplicationAuthorized(const FirewallProfile& profile, WideView image_path) {
  try {
    return profile.HoldsApplication(image_path);
  } catch (const FirewallError&) {
    // The firewall's lookup fails for an executable it does not list.
    return false;
  }
}

void AddToWinFirewall(FirewallProfile& profile, WideView image_path, WideView name, bool enable) {
  if (!profile.FirewallEnabled()) return;
  if (profile.ExceptionsNotAllowed()) return;
  profile.AddApplication({
      .process_image_file_name = WideText(image_path),
      .name = WideText(name),
      .scope = FirewallScope::kAll,
      .ip_version = FirewallIpVersion::kAny,
      .enabled = enable,
  });
}

bool IsFirewallName(WideView name) {
  if (name.size() > kMaxFirewallNameLength) return false;
  for (const char16_t c : name) {
    // The C0 and C1 controls and DEL.
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  }
  return true;
}

std::int32_t DoAddToFirewall(const Firewall& firewall, WideView image_path, WideView name,
                             bool enable) {
  if (!IsFirewallName(name)) return 0;
  const std::unique_ptr<FirewallProfile> profile = firewall.CurrentProfile();
  if (!IsApplicationAuthorized(*profile, image_path)) {
    AddToWinFirewall(*profile, image_path, name, enable);
  }
  return 1;
}

}  // namespace tovrel
