#pragma once

#include "platform/InstallerDatabase.h"

namespace tovrel::win32 {

// msi.dll's wide-character calls, with zero-filled buffers of 1025 units of which 1024 are
// offered for a path or a property value.
class MsiInstallerDatabase final : public InstallerDatabase {
 public:
  [[nodiscard]] std::optional<WideText> EnumProducts(std::uint32_t index) const override;
  [[nodiscard]] std::optional<WideText> EnumComponents(std::uint32_t index) const override;
  [[nodiscard]] ComponentPath GetComponentPath(WideView product, WideView component) const override;
  [[nodiscard]] ComponentPath LocateComponent(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductCode(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductInfo(WideView product,
                                                       WideView property) const override;
};

}  // namespace tovrel::win32
