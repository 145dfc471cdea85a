#pragma once

#include "platform/FileSystem.h"
#include "platform/Firewall.h"

namespace tovrel::portable {

// The sample machine's firewall: the current profile kept as text in firewall.txt of the machine
// folder. Lines are "Key=Value"; blank lines and lines starting with "#" are comments.
//
//   FirewallEnabled=1                 1 on, 0 off
//   ExceptionsNotAllowed=0            1 when the profile refuses every exception
//   Application=PATH|NAME|SCOPE|IPVERSION|ENABLED
//
// An Application line lists an authorised application with its properties in the order they are
// set, the scope and IP version as the firewall numbers them and ENABLED as -1 (on) or 0 (off);
// paths compare without regard to case. Adding an application appends its line and keeps
// everything else, saved through `files`, which must outlive this. A machine without the file has
// no firewall to reach.
class FirewallFile final : public Firewall {
 public:
  explicit FirewallFile(const FileSystem& files) : files_(files) {}

  [[nodiscard]] std::unique_ptr<FirewallProfile> CurrentProfile() const override;

 private:
  const FileSystem& files_;
};

}  // namespace tovrel::portable
