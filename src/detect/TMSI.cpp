#include "detect/TMSI.h"

#include <cstdint>

#include "detect/OfficeGenerations.h"
#include "detect/PatternSearch.h"
#include "fileutil/DirectoryPart.h"

namespace tovrel {
namespace {

WideText PathIfInstalled(const ComponentPath& component) {
  const bool installed =
      component.state == InstallState::kLocal || component.state == InstallState::kSource;
  return installed ? component.path : WideText();
}

WideText LowerAsciiLetters(WideView text) {
  WideText lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

}  // namespace

WideText TMSI::GetComponentPath(WideView product, WideView component) const {
  return PathIfInstalled(installer().GetComponentPath(product, component));
}

WideText TMSI::LocateComponent(WideView component) const {
  return PathIfInstalled(installer().LocateComponent(component));
}

WideText TMSI::GetProductCode(WideView component) const {
  return installer().GetProductCode(component).value_or(WideText());
}

WideText TMSI::GetProductInfo(WideView product, WideView property) const {
  return installer().GetProductInfo(product, property).value_or(WideText());
}

WideText TMSI::FindProductCode(WideView pattern) const {
  for (std::uint32_t index = 0;; ++index) {
    const auto product = installer().EnumProducts(index);
    if (!product) return {};
    if (PatternFound(pattern, *product)) return *product;
  }
}

WideText TMSI::GetOfficeComponentPath(WideView product_pattern, WideView component,
                                      WideView exe_name) const {
  if (!component.empty()) {
    const WideText product = FindProductCode(product_pattern);
    return product.empty() ? WideText() : GetComponentPath(product, component);
  }
  if (exe_name.empty()) {
    throw EDVMSIError("MSI.GetOfficeComponentPath - no component GUID or ExeName");
  }
  const WideText exe_pattern = LowerAsciiLetters(exe_name);
  for (std::uint32_t index = 0;; ++index) {
    const auto code = installer().EnumComponents(index);
    if (!code) return {};
    if (!PatternFound(product_pattern, GetProductCode(*code))) continue;
    const WideText path = LocateComponent(*code);
    if (PatternFound(exe_pattern, LowerAsciiLetters(path))) return path;
  }
}

void TMSI::AddOfficeProduct(std::size_t generation, WideView path, InstalledAppsList& list) const {
  const WideText code = FindProductCode(kOfficeGenerations.at(generation).product_pattern);
  const WideText name = GetProductInfo(code, u"InstalledProductName");
  const WideText version = GetProductInfo(code, u"VersionString");
  list.Add(DirectoryPart(path), name + u" (" + version + u")");
}

WideText FindLastExcel(const TMSI& msi) {
  for (std::size_t generation = kOfficeGenerations.size(); generation-- > 0;) {
    const OfficeGeneration& office = kOfficeGenerations[generation];
    WideText path = msi.GetOfficeComponentPath(office.product_pattern, office.excel_component, u"");
    if (!path.empty()) return path;
  }
  return {};
}

}  // namespace tovrel
