#include <cstdint>
#include <vector>

#include "config/RegistryValues.h"
#include "detect/InstallationScan.h"
#include "detect/TMSI.h"
#include "fileutil/DirectoryPart.h"
#include "fileutil/VersionInfo.h"

namespace tovrel {
namespace {

constexpr WideView kTemplatesFolder = u"\\Szablony";
constexpr WideView kExecutable = u"\\Ferrolin.exe";

RegistryRoot RootOf(bool use_current_user) {
  return use_current_user ? RegistryRoot::kCurrentUser : RegistryRoot::kLocalMachine;
}

std::vector<WideText> Subkeys(const ConfigSources& config, RegistryRoot root, WideView key) {
  std::vector<WideText> names;
  ReadRegKeyNames(config, root, key, u"", names);
  return names;
}

// The executable beside an installation's templates folder: its "szablony" value with every
// "\Szablony" (exactly so written) replaced by "\Ferrolin.exe".
WideText Candidate(const ConfigSources& config, RegistryRoot root, WideView key,
                   const WideText& subkey) {
  WideText path = ReadRegValue(config, root, key, subkey + u"\\szablony");
  for (std::size_t at = path.find(kTemplatesFolder); at != WideText::npos;
       at = path.find(kTemplatesFolder, at + kExecutable.size())) {
    path.replace(at, kTemplatesFolder.size(), kExecutable);
  }
  return path;
}

bool IsInstalled(const DetectionSources& sources, WideView candidate) {
  return IsAbsoluteWindowsPath(candidate) && sources.files.FileExists(candidate);
}

}  // namespace

void TMSI::FindFerrolin(WideView key, WideText& path, bool use_current_user,
                        std::int32_t& best_score) const {
  const RegistryRoot root = RootOf(use_current_user);
  for (const WideText& subkey : Subkeys(sources_.config, root, key)) {
    ReadInstallation([&] {
      const WideText candidate = Candidate(sources_.config, root, key, subkey);
      if (!IsInstalled(sources_, candidate)) return;
      const std::int32_t score = GetFileVersionNumber(sources_.versions, candidate, true);
      if (score > best_score) {
        path = candidate;
        best_score = score;
      }
    });
  }
}

void TMSI::ListFerrolin(WideView key, InstalledAppsList& list, bool use_current_user) const {
  const RegistryRoot root = RootOf(use_current_user);
  for (const WideText& subkey : Subkeys(sources_.config, root, key)) {
    sources_.messages.DispatchPending();
    ReadInstallation([&] {
      const WideText candidate = Candidate(sources_.config, root, key, subkey);
      if (!IsInstalled(sources_, candidate)) return;
      sources_.messages.DispatchPending();
      const WideText dir = DirectoryPart(candidate);
      const WideText version =
          ListedVersion(GetVersionInfoItem(sources_.versions, candidate, u"FileVersion"));
      const std::int32_t score = GetFileVersionNumber(sources_.versions, candidate, true);
      if (score != 0 && !list.HasName(dir)) list.Add(dir, u"Ferrolin " + version);
    });
  }
}

WideText FindLastFerrolin(const TMSI& msi) {
  WideText path;
  std::int32_t best_score = 0;
  msi.GetLastInstallDir(peFR110, path, best_score);
  if (path.empty()) msi.GetLastInstallDir(peFR101, path, best_score);
  return path;
}

}  // namespace tovrel
