#pragma once

#include <stdexcept>

#include "detect/InstalledAppsList.h"
#include "platform/InstallerDatabase.h"
#include "platform/Text.h"

namespace tovrel {

// Raised by a product lookup that was given nothing to look for.
class EDVMSIError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every installed-product lookup of the library. It keeps nothing between calls: each lookup
// reads the platform afresh.
class TMSI {
 public:
  explicit TMSI(const InstallerDatabase& installer) : installer_(installer) {}

  // The key path of a product's component in the local or source state; empty otherwise.
  [[nodiscard]] WideText GetComponentPath(WideView product, WideView component) const;
  // The same for whichever product installed the component.
  [[nodiscard]] WideText LocateComponent(WideView component) const;
  // The product owning the component, or empty.
  [[nodiscard]] WideText GetProductCode(WideView component) const;
  // A product property, or empty.
  [[nodiscard]] WideText GetProductInfo(WideView product, WideView property) const;
  // The first product code in enumeration order that the pattern matches, or empty.
  [[nodiscard]] WideText FindProductCode(WideView pattern) const;

  // The key path of a component of the first product matching the pattern (that product decides,
  // path or not). Without a component code, the first component of a matching product whose path
  // matches the executable-name pattern, letters A to Z compared in lower case. Raises
  // EDVMSIError when neither is given.
  [[nodiscard]] WideText GetOfficeComponentPath(WideView product_pattern, WideView component,
                                                WideView exe_name) const;
  // Appends "folder=name (version)" for the Office generation whose Excel lies at the path.
  void AddOfficeProduct(std::size_t generation, WideView path, InstalledAppsList& list) const;

 private:
  const InstallerDatabase& installer_;
};

// The key path of the Excel of the newest Office generation installed, or empty.
WideText FindLastExcel(const TMSI& msi);

}  // namespace tovrel
