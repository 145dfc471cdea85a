#include <cstdint>
#include <vector>

#include "config/RegistryValues.h"
#include "detect/DetectionTexts.h"
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
WideText Candidate(const ConfigSources& config, const DetectionTrace& trace, RegistryRoot root,
                   WideView key, const WideText& subkey) {
  const WideText value = subkey + u"\\szablony";
  trace.Candidate([&] { return RegistryOrigin(root, key, value); });
  StoredRegValue stored;
  WideText path = ReadRegValue(config, root, key, value, u"", trace ? &stored : nullptr);
  TraceRegValue(trace, stored, path);
  for (std::size_t at = path.find(kTemplatesFolder); at != WideText::npos;
       at = path.find(kTemplatesFolder, at + kExecutable.size())) {
    path.replace(at, kTemplatesFolder.size(), kExecutable);
  }
  trace.Check(u"executable", [&] { return path; });
  return path;
}

bool IsInstalled(const DetectionSources& sources, const DetectionTrace& trace, WideView candidate) {
  if (!IsAbsoluteWindowsPath(candidate)) {
    trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"path not absolute"); });
    return false;
  }
  const bool present = sources.files.FileExists(candidate);
  trace.Check(u"file " + WideText(candidate), [&] { return Presence(present); });
  if (!present) {
    trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"no executable"); });
  }
  return present;
}

std::int32_t VersionNumber(const DetectionSources& sources, const DetectionTrace& trace,
                           WideView candidate) {
  const std::int32_t score = GetFileVersionNumber(sources.versions, candidate, true);
  trace.Check(u"binary version", [&] { return NumberText(score); });
  return score;
}

}  // namespace

void TMSI::FindFerrolin(WideView key, WideText& path, bool use_current_user,
                        std::int32_t& best_score) const {
  const RegistryRoot root = RootOf(use_current_user);
  const DetectionTrace trace = this->trace();
  for (const WideText& subkey : Subkeys(sources_.config, root, key)) {
    ReadInstallation(trace, [&] {
      const WideText candidate = Candidate(sources_.config, trace, root, key, subkey);
      if (!IsInstalled(sources_, trace, candidate)) return;
      const std::int32_t score = VersionNumber(sources_, trace, candidate);
      TraceScore(trace, score, candidate, best_score, path);
      if (score > best_score) {
        path = candidate;
        best_score = score;
      }
    });
  }
}

void TMSI::ListFerrolin(WideView key, InstalledAppsList& list, bool use_current_user) const {
  const RegistryRoot root = RootOf(use_current_user);
  const DetectionTrace trace = this->trace();
  for (const WideText& subkey : Subkeys(sources_.config, root, key)) {
    sources_.messages.DispatchPending();
    ReadInstallation(trace, [&] {
      const WideText candidate = Candidate(sources_.config, trace, root, key, subkey);
      if (!IsInstalled(sources_, trace, candidate)) return;
      sources_.messages.DispatchPending();
      const WideText dir = DirectoryPart(candidate);
      const WideText file_version =
          GetVersionInfoItem(sources_.versions, candidate, u"FileVersion");
      trace.Check(u"version text", [&] { return VersionFound(file_version); });
      const WideText version = ListedVersion(file_version);
      const std::int32_t score = VersionNumber(sources_, trace, candidate);
      if (score == 0) {
        trace.Verdict(CandidateVerdict::kPassedOver,
                      [] { return WideText(u"no version resource"); });
      } else if (list.HasName(dir)) {
        trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"duplicate folder"); });
      } else {
        const WideText name = u"Ferrolin " + version;
        trace.Verdict(CandidateVerdict::kListed, [&] { return name; });
        list.Add(dir, name);
      }
    });
  }
}

WideText FindLastFerrolin(const TMSI& msi) {
  WideText path;
  std::int32_t best_score = 0;
  msi.GetLastInstallDir(peFR110, path, best_score);
  if (path.empty()) {
    msi.GetLastInstallDir(peFR101, path, best_score);
  } else {
    msi.trace().Step([] {
      return WideText(u"Ferrolin101 not asked: a later edition, Ferrolin110, already decided");
    });
  }
  return path;
}

}  // namespace tovrel
