#pragma once

#include <memory>
#include <vector>

#include "platform/Registry.h"

namespace tovrel {

// One short-lived reader of the registry: a root (HKEY_CURRENT_USER until set), at most one
// open key, and that key's path. The open key is closed when the accessor goes.
class RegistryAccessor {
 public:
  explicit RegistryAccessor(const Registry& registry,
                            RegistryRoot root = RegistryRoot::kCurrentUser);

  // The root used by the next OpenKey.
  void SetRoot(RegistryRoot root) { root_ = root; }

  // Opens the key at the path under the root, a leading "\" ignored, closing any key open
  // before. False, with no key open, when it is missing or refused; never creates it.
  [[nodiscard]] bool OpenKey(WideView path);

  // A string value of the open key (see RegistryKey::ReadString); empty when no key is open.
  [[nodiscard]] WideText ReadString(WideView value_name) const;

  // Clears the list and fills it with the open key's subkey names; empty when no key is open.
  void GetKeyNames(std::vector<WideText>& list) const;

  void CloseKey();

  // The path of the open key, without a leading "\"; empty when none is open.
  [[nodiscard]] const WideText& CurrentPath() const { return current_path_; }

 private:
  const Registry& registry_;
  RegistryRoot root_;
  std::unique_ptr<RegistryKey> key_;
  WideText current_path_;
};

}  // namespace tovrel
