#include "platform/Registry.h"

#include <array>
#include <utility>

namespace tovrel {
namespace {

struct NamedRoot {
  WideView name;
  WideView abbreviation;
  RegistryRoot root;
};

constexpr std::array<NamedRoot, 5> kRoots{{
    {u"HKEY_CLASSES_ROOT", u"HKCR", RegistryRoot::kClassesRoot},
    {u"HKEY_CURRENT_USER", u"HKCU", RegistryRoot::kCurrentUser},
    {u"HKEY_LOCAL_MACHINE", u"HKLM", RegistryRoot::kLocalMachine},
    {u"HKEY_USERS", u"HKU", RegistryRoot::kUsers},
    {u"HKEY_CURRENT_CONFIG", u"HKCC", RegistryRoot::kCurrentConfig},
}};

}  // namespace

WideView RegistryRootName(RegistryRoot root) {
  for (const NamedRoot& entry : kRoots) {
    if (entry.root == root) return entry.name;
  }
  return {};
}

std::optional<RegistryRoot> RegistryRootByName(WideView name) {
  for (const NamedRoot& entry : kRoots) {
    if (EqualsIgnoreCase(name, entry.name) || EqualsIgnoreCase(name, entry.abbreviation)) {
      return entry.root;
    }
  }
  return std::nullopt;
}

RegistryError::RegistryError(WideText message)
    : std::runtime_error(NarrowAscii(message)), message_(std::move(message)) {}

}  // namespace tovrel
