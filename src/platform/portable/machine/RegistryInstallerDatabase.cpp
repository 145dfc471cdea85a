#include "platform/portable/machine/RegistryInstallerDatabase.h"

#include "platform/regfile/PackedGuid.h"

namespace tovrel::portable {
namespace {

constexpr WideView kProducts = u"Software\\Classes\\Installer\\Products";
constexpr WideView kUserData =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18";
constexpr WideView kComponents =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components";
// Paths and values of this many units or more do not fit the installer's buffers.
constexpr std::size_t kValueUnits = 1024;

// A key path of the form "02:\Software\..." names a registry key, not a file.
bool IsRegistryKeyPath(WideView path) {
  return path.size() >= 3 && path[0] >= u'0' && path[0] <= u'9' && path[1] >= u'0' &&
         path[1] <= u'9' && path[2] == u':';
}

WideText Join(WideView key, WideView name) {
  WideText path(key);
  path += u'\\';
  path += name;
  return path;
}

}  // namespace

std::optional<WideText> RegistryInstallerDatabase::EnumCodes(WideView key_path,
                                                             std::uint32_t index) const {
  try {
    const auto key = registry_.OpenKey(RegistryRoot::kLocalMachine, key_path);
    if (!key) return std::nullopt;
    std::uint32_t seen = 0;
    for (const WideText& name : key->GetKeyNames()) {
      auto code = UnpackGuid(name);
      if (code && seen++ == index) return code;
    }
  } catch (const RegistryError&) {
  }
  return std::nullopt;
}

std::optional<WideText> RegistryInstallerDatabase::EnumProducts(std::uint32_t index) const {
  return EnumCodes(kProducts, index);
}

std::optional<WideText> RegistryInstallerDatabase::EnumComponents(std::uint32_t index) const {
  return EnumCodes(kComponents, index);
}

bool RegistryInstallerDatabase::IsProduct(WideView product) const {
  const auto packed = PackGuid(product);
  return packed && registry_.OpenKey(RegistryRoot::kLocalMachine, Join(kProducts, *packed));
}

ComponentPath RegistryInstallerDatabase::GetComponentPath(WideView product,
                                                          WideView component) const {
  const auto packed_product = PackGuid(product);
  const auto packed_component = PackGuid(component);
  if (!packed_product || !packed_component || !IsProduct(product)) return {};
  try {
    const auto key =
        registry_.OpenKey(RegistryRoot::kLocalMachine, Join(kComponents, *packed_component));
    if (!key) return {};
    WideText path = key->ReadString(*packed_product);
    if (path.empty()) return {};
    if (path.size() >= kValueUnits) return {InstallState::kMoreData, {}};
    const bool present = IsRegistryKeyPath(path) || files_.FileExists(path);
    return present ? ComponentPath{InstallState::kLocal, std::move(path)}
                   : ComponentPath{InstallState::kAbsent, {}};
  } catch (const RegistryError&) {
    return {};
  }
}

ComponentPath RegistryInstallerDatabase::LocateComponent(WideView component) const {
  const auto product = GetProductCode(component);
  return product ? GetComponentPath(*product, component) : ComponentPath{};
}

std::optional<WideText> RegistryInstallerDatabase::GetProductCode(WideView component) const {
  const auto packed_component = PackGuid(component);
  if (!packed_component) return std::nullopt;
  try {
    const auto key =
        registry_.OpenKey(RegistryRoot::kLocalMachine, Join(kComponents, *packed_component));
    if (!key) return std::nullopt;
    // The component's values are named by the packed codes of the products that installed it;
    // the first installed product in enumeration order owns it.
    for (std::uint32_t index = 0;; ++index) {
      auto product = EnumProducts(index);
      if (!product) return std::nullopt;
      if (!key->ReadString(*PackGuid(*product)).empty()) return product;
    }
  } catch (const RegistryError&) {
    return std::nullopt;
  }
}

std::optional<WideText> RegistryInstallerDatabase::GetProductInfo(WideView product,
                                                                  WideView property) const {
  WideView value_name;
  if (property == u"InstalledProductName") {
    value_name = u"DisplayName";
  } else if (property == u"VersionString") {
    value_name = u"DisplayVersion";
  } else {
    return std::nullopt;
  }
  const auto packed = PackGuid(product);
  if (!packed || !IsProduct(product)) return std::nullopt;
  try {
    const auto key =
        registry_.OpenKey(RegistryRoot::kLocalMachine,
                          Join(Join(Join(kUserData, u"Products"), *packed), u"InstallProperties"));
    if (!key) return std::nullopt;
    WideText value = key->ReadString(value_name);
    if (value.size() >= kValueUnits) return std::nullopt;
    return value;
  } catch (const RegistryError&) {
    return std::nullopt;
  }
}

}  // namespace tovrel::portable
