#include <cstdint>
#include <exception>

#include "config/RegistryValues.h"
#include "detect/DetectionTexts.h"
#include "detect/InstallationScan.h"
#include "detect/TMSI.h"
#include "fileutil/VersionInfo.h"

namespace tovrel {
namespace {

constexpr WideView kUninstallKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    u"{05381030-963D-4779-BECA-0D7D49268EDB}";

}  // namespace

void TMSI::FindPlatnik(WideText& path, std::int32_t& best_score) const {
  const DetectionTrace trace = this->trace();
  try {
    trace.Candidate([] {
      return RegistryOrigin(RegistryRoot::kLocalMachine, kUninstallKey, u"InstallLocation");
    });
    StoredRegValue stored;
    const WideText location =
        ReadRegValue(sources_.config, RegistryRoot::kLocalMachine, kUninstallKey,
                     u"InstallLocation", u"", trace ? &stored : nullptr);
    TraceRegValue(trace, stored, location);
    if (!IsAbsoluteWindowsPath(location)) {
      trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"path not absolute"); });
      return;
    }
    const WideText candidate = JoinPath(location, u"p2.exe");
    const bool present = sources_.files.FileExists(candidate);
    trace.Check(u"file " + candidate, [&] { return Presence(present); });
    const std::int32_t score =
        present ? GetFileVersionNumber(sources_.versions, candidate, true) : 0;
    trace.Check(u"binary version", [&] { return NumberText(score); });
    if (score > best_score) {
      trace.Verdict(CandidateVerdict::kLeads, [&] { return candidate; });
      path = candidate;
      best_score = score;
    } else {
      trace.Verdict(CandidateVerdict::kPassedOver,
                    [&] { return WideText(present ? u"no version resource" : u"no executable"); });
    }
  } catch (const std::exception&) {
    // Płatnik is looked for on the way to other work: nothing about it may stop that work.
    trace.Verdict(CandidateVerdict::kPassedOver,
                  [] { return WideText(u"value could not be read"); });
  }
}

WideText FindLastPlatnik(const TMSI& msi) {
  WideText path;
  std::int32_t best_score = 0;
  msi.FindPlatnik(path, best_score);
  return path;
}

}  // namespace tovrel
