#include <cstdint>
#include <exception>

#include "config/RegistryValues.h"
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
  try {
    const WideText location = ReadRegValue(sources_.config, RegistryRoot::kLocalMachine,
                                           kUninstallKey, u"InstallLocation");
    if (!IsAbsoluteWindowsPath(location)) return;
    const WideText candidate = JoinPath(location, u"p2.exe");
    const std::int32_t score = sources_.files.FileExists(candidate)
                                   ? GetFileVersionNumber(sources_.versions, candidate, true)
                                   : 0;
    if (score > best_score) {
      path = candidate;
      best_score = score;
    }
  } catch (const std::exception&) {
    // Płatnik is looked for on the way to other work: nothing about it may stop that work.
  }
}

WideText FindLastPlatnik(const TMSI& msi) {
  WideText path;
  std::int32_t best_score = 0;
  msi.FindPlatnik(path, best_score);
  return path;
}

}  // namespace tovrel
