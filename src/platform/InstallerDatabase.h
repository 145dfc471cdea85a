#pragma once

#include <cstdint>
#include <optional>

#include "text/Text.h"

namespace tovrel {

// Installation states of a component, as Windows Installer reports them.
enum class InstallState : std::int32_t {
  kMoreData = -3,  // the key path does not fit the 1024-unit buffer
  kUnknown = -1,
  kAbsent = 2,
  kLocal = 3,
  kSource = 4,
};

struct ComponentPath {
  InstallState state = InstallState::kUnknown;
  // The key path; meaningful only in the states kLocal and kSource.
  WideText path;
};

// The Windows Installer database of the machine. Codes are braced GUIDs in upper case, as the
// installer gives them. Paths and property values of 1024 units or more do not fit the
// installer's buffers and count as absent.
class InstallerDatabase {
 public:
  virtual ~InstallerDatabase() = default;

  // The product code at the index; nullopt ends the enumeration, past the last product or when
  // the installer service fails.
  [[nodiscard]] virtual std::optional<WideText> EnumProducts(std::uint32_t index) const = 0;
  // The same for component codes.
  [[nodiscard]] virtual std::optional<WideText> EnumComponents(std::uint32_t index) const = 0;
  // The state of a product's component and its key path; kUnknown when either is not known.
  [[nodiscard]] virtual ComponentPath GetComponentPath(WideView product,
                                                       WideView component) const = 0;
  // The same for whichever product installed the component.
  [[nodiscard]] virtual ComponentPath LocateComponent(WideView component) const = 0;
  // The product that owns the component; nullopt when none does.
  [[nodiscard]] virtual std::optional<WideText> GetProductCode(WideView component) const = 0;
  // A product property such as "InstalledProductName"; nullopt when missing or too long.
  [[nodiscard]] virtual std::optional<WideText> GetProductInfo(WideView product,
                                                               WideView property) const = 0;
};

}  // namespace tovrel
