#include "xmlsettings/SaveInstalledApps.h"

#include <array>

#include "detect/DetectionTexts.h"
#include "detect/OfficeGenerations.h"
#include "fileutil/DirectoryPart.h"
#include "fileutil/VersionInfo.h"
#include "xmlsettings/InstalledAppsReport.h"

namespace tovrel {
namespace {

constexpr std::array kVelmoraEditions = {peVL930, peVL921, peVL920, peVL911,
                                         peVL910, peVL901, peVL900};
constexpr std::array kAstreloEditions = {peAS930, peAS921, peAS920, peAS911,
                                         peAS910, peAS901, peAS900};
constexpr std::array kFerrolinEditions = {peFR110, peFR101};

template <std::size_t N>
void ListEditions(const TMSI& msi, const std::array<TProductEdition, N>& editions,
                  InstalledAppsList& list) {
  for (const TProductEdition edition : editions) msi.ListInstallations(edition, list);
}

}  // namespace

void ListReportSection(const TMSI& msi, const VersionResources& versions, WideView section,
                       InstalledAppsList& list) {
  if (section == kExcelSection) {
    for (std::size_t g = kOfficeGenerations.size(); g-- > 0;) {
      const OfficeGeneration& office = kOfficeGenerations[g];
      msi.trace().Step([&] { return OfficeGenerationName(g); });
      const WideText path =
          msi.GetOfficeComponentPath(office.product_pattern, office.excel_component, u"");
      if (!path.empty()) msi.AddOfficeProduct(g, path, list);
    }
  } else if (section == kVelmoraSection) {
    ListEditions(msi, kVelmoraEditions, list);
  } else if (section == kAstreloSection) {
    ListEditions(msi, kAstreloEditions, list);
  } else if (section == kFerrolinSection) {
    ListEditions(msi, kFerrolinEditions, list);
  } else if (section == kPlatnikSection) {
    WideText platnik;
    std::int32_t best_score = 0;
    msi.FindPlatnik(platnik, best_score);
    if (!platnik.empty()) {
      list.Add(DirectoryPart(platnik),
               u"P\u0142atnik " + GetVersionInfoItem(versions, platnik, u"FileVersion"));
    }
  }
}

std::int32_t DoXMLSaveInstalledApps(const SettingsServices& services, const TMSI& msi,
                                    const VersionResources& versions, WideView file_name,
                                    std::vector<UnwrittenSection>* unwritten) {
  bool all_saved = true;
  InstalledAppsList list;
  for (const WideView section : kReportSections) {
    ListReportSection(msi, versions, section, list);
    ChangeStop stop = ChangeStop::kSaved;
    if (XMLWriteAppList(services, list, file_name, section, &stop) == SectionWrite::kFailed) {
      all_saved = false;
      if (unwritten) unwritten->push_back({section, stop});
    }
    list.Clear();
  }
  return all_saved ? 1 : 0;
}

}  // namespace tovrel
