#pragma once

#include "platform/FileSystem.h"
#include "platform/InstallerDatabase.h"
#include "platform/Registry.h"

namespace tovrel::portable {

// Answers installer-database questions from the registry keys Windows Installer keeps for
// per-machine installations, so that a registry export of a real machine can be replayed:
//   the installed products: HKLM\Software\Classes\Installer\Products\<packed product>;
//   below HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18:
//     a component's key path: Components\<packed component>, value <packed product>;
//     product properties: Products\<packed product>\InstallProperties, values DisplayName
//     ("InstalledProductName") and DisplayVersion ("VersionString").
// Products and components enumerate in registry order. A key path naming an existing file is
// installed locally; a registry key path ("02:\...") too; a missing file is absent.
class RegistryInstallerDatabase final : public InstallerDatabase {
 public:
  RegistryInstallerDatabase(const Registry& registry, const FileSystem& files)
      : registry_(registry), files_(files) {}

  [[nodiscard]] std::optional<WideText> EnumProducts(std::uint32_t index) const override;
  [[nodiscard]] std::optional<WideText> EnumComponents(std::uint32_t index) const override;
  [[nodiscard]] ComponentPath GetComponentPath(WideView product, WideView component) const override;
  [[nodiscard]] ComponentPath LocateComponent(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductCode(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductInfo(WideView product,
                                                       WideView property) const override;

 private:
  [[nodiscard]] std::optional<WideText> EnumCodes(WideView key_path, std::uint32_t index) const;
  [[nodiscard]] bool IsProduct(WideView product) const;

  const Registry& registry_;
  const FileSystem& files_;
};

}  // namespace tovrel::portable
