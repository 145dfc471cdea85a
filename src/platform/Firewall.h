#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>

#include "text/Text.h"

namespace tovrel {

// A failure to reach or change the firewall, such as a refused call or a missing firewall.
class FirewallError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Which remote addresses an authorised application accepts connections from.
enum class FirewallScope : std::int32_t { kAll = 0, kLocalSubnet = 1, kCustom = 2 };
enum class FirewallIpVersion : std::int32_t { kV4 = 0, kV6 = 1, kAny = 2 };

// An application allowed to accept incoming connections, listed in a firewall profile.
struct AuthorizedApplication {
  WideText process_image_file_name;
  WideText name;
  FirewallScope scope = FirewallScope::kAll;
  FirewallIpVersion ip_version = FirewallIpVersion::kAny;
  bool enabled = false;
};

// The firewall profile currently in effect; the other profiles are never touched.
class FirewallProfile {
 public:
  virtual ~FirewallProfile() = default;

  // Whether the authorised applications hold an entry for the executable; raises FirewallError
  // when the list cannot be read or the lookup fails, a missing entry included.
  [[nodiscard]] virtual bool HoldsApplication(WideView image_path) const = 0;
  // Whether the firewall is on; raises FirewallError when the state cannot be read.
  [[nodiscard]] virtual bool FirewallEnabled() const = 0;
  // Whether the profile refuses every exception; raises FirewallError when it cannot be read.
  [[nodiscard]] virtual bool ExceptionsNotAllowed() const = 0;
  // Adds the entry, setting its properties in the order of the struct; raises FirewallError
  // when the entry cannot be made or the firewall refuses it, with the profile unchanged.
  virtual void AddApplication(const AuthorizedApplication& application) = 0;
};

// The machine's firewall.
class Firewall {
 public:
  virtual ~Firewall() = default;

  // The profile in effect, held until it is dropped; raises FirewallError when the firewall,
  // its policy or the profile cannot be reached.
  [[nodiscard]] virtual std::unique_ptr<FirewallProfile> CurrentProfile() const = 0;
};

}  // namespace tovrel
