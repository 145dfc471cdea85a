#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "detect/TMSI.h"
#include "platform/VersionResources.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// The node paths of the report's sections, in the order they are written.
inline constexpr WideView kExcelSection = u"STARTUP.INSTALLEDAPPS.EXCEL";
inline constexpr WideView kVelmoraSection = u"STARTUP.INSTALLEDAPPS.VL";
inline constexpr WideView kAstreloSection = u"STARTUP.INSTALLEDAPPS.AS";
inline constexpr WideView kFerrolinSection = u"STARTUP.INSTALLEDAPPS.FR";
inline constexpr WideView kPlatnikSection = u"STARTUP.INSTALLEDAPPS.PLATNIK";
inline constexpr std::array<WideView, 5> kReportSections = {
    kExcelSection, kVelmoraSection, kAstreloSection, kFerrolinSection, kPlatnikSection};

// Appends what one section of the report lists (a path of kReportSections): the Office
// generations newest first, the editions' installations newest edition first, or Płatnik.
void ListReportSection(const TMSI& msi, const VersionResources& versions, WideView section,
                       InstalledAppsList& list);

// A section of the report that could not be written, and where its change stopped.
struct UnwrittenSection {
  WideView section;
  ChangeStop stop = ChangeStop::kSaved;
};

// Writes the installed-applications report into a settings file: the Office generations, the
// Velmora, Astrelo and Ferrolin installations newest edition first, and Płatnik, each section
// loaded, rewritten and saved on its own. 1 when every section that had something to change was
// saved (also when nothing needed writing); 0 when a section could not be loaded or saved, which
// leaves that section's file as it was and does not stop the others.
// `unwritten`, when given, gets each section not written and where its change stopped.
std::int32_t DoXMLSaveInstalledApps(const SettingsServices& services, const TMSI& msi,
                                    const VersionResources& versions, WideView file_name,
                                    std::vector<UnwrittenSection>* unwritten = nullptr);

}  // namespace tovrel
