#include "detect/TMSI.h"

#include <cstdint>
#include <string>

#include "detect/DetectionTexts.h"
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

WideText StateName(InstallState state) {
  switch (state) {
    case InstallState::kLocal:
      return u"3, installed locally";
    case InstallState::kSource:
      return u"4, run from source";
    case InstallState::kAbsent:
      return u"2, absent";
    case InstallState::kMoreData:
      return u"-3, key path too long";
    default:
      return u"-1, unknown";
  }
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
    const DetectionTrace trace = this->trace();
    trace.Candidate([&] {
      return CandidateOrigin{WideText(kInstallerDatabase), WideText(product_pattern),
                             WideText(component)};
    });
    const WideText product = FindProductCode(product_pattern);
    trace.Check(u"first product matching", [&] { return product.empty() ? u"none" : product; });
    if (product.empty()) {
      trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"no product matches"); });
      return {};
    }
    const ComponentPath found = installer().GetComponentPath(product, component);
    trace.Check(u"component state", [&] { return StateName(found.state) + u": " + found.path; });
    WideText path = PathIfInstalled(found);
    if (path.empty()) {
      trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"component absent"); });
    }
    return path;
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
  const WideText display_name = name + u" (" + version + u")";
  trace().Verdict(CandidateVerdict::kListed, [&] { return display_name; });
  list.Add(DirectoryPart(path), display_name);
}

WideText FindLastExcel(const TMSI& msi) {
  for (std::size_t generation = kOfficeGenerations.size(); generation-- > 0;) {
    const OfficeGeneration& office = kOfficeGenerations[generation];
    msi.trace().Step([&] { return OfficeGenerationName(generation); });
    WideText path = msi.GetOfficeComponentPath(office.product_pattern, office.excel_component, u"");
    if (!path.empty()) {
      msi.trace().Verdict(CandidateVerdict::kLeads, [&] { return path; });
      for (std::size_t older = generation; older-- > 0;) {
        msi.trace().Step([&] {
          return OfficeGenerationName(older) + u" not asked: a later generation already decided";
        });
      }
      return path;
    }
  }
  return {};
}

}  // namespace tovrel
