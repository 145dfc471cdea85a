#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "config/ProfileValues.h"
#include "config/RegistryValues.h"
#include "detect/DetectionTexts.h"
#include "detect/InstallationScan.h"
#include "detect/TMSI.h"
#include "fileutil/VersionInfo.h"
#include "fileutil/VersionText.h"

namespace tovrel {
namespace {

// The files by which an accounting product's installation is recognised and described.
struct AccountingProduct {
  WideView marker;           // lies in every program directory
  WideView settings;         // section "Program": "Numer", "Program", "Wersja", "Wydanie"
  WideView version_carrier;  // its "FileVersion" is the installation's version
  WideView display_prefix;   // starts the value of a list entry
};

constexpr AccountingProduct kVelmora{u"Velm_Prog.vba", u"Velm.ini", u"Velm.ver", u"Velmora "};
constexpr AccountingProduct kAstrelo{u"Astr_Prog.vba", u"Astr.ini", u"Astr.ver", u"Astrelo "};

// The registry key of each edition, in the order of TProductEdition.
constexpr std::array<WideView, peFR110 + 1> kEditionKeys{
    u"SOFTWARE\\Ostrik\\VL900",       u"SOFTWARE\\Ostrik\\VL901", u"SOFTWARE\\Ostrik\\VL910",
    u"SOFTWARE\\Ostrik\\VL911",       u"SOFTWARE\\Ostrik\\VL920", u"SOFTWARE\\Ostrik\\VL921",
    u"SOFTWARE\\Ostrik\\VL930",       u"SOFTWARE\\Ostrik\\AS900", u"SOFTWARE\\Ostrik\\AS901",
    u"SOFTWARE\\Ostrik\\AS910",       u"SOFTWARE\\Ostrik\\AS911", u"SOFTWARE\\Ostrik\\AS920",
    u"SOFTWARE\\Ostrik\\AS921",       u"SOFTWARE\\Ostrik\\AS930", u"SOFTWARE\\Delvar\\Ferrolin101",
    u"SOFTWARE\\Delvar\\Ferrolin110",
};

constexpr std::array<std::uint8_t, 5> kVelmoraLatestOrder{peVL930, peVL921, peVL920, peVL911,
                                                          peVL910};
constexpr std::array<std::uint8_t, 4> kAstreloLatestOrder{peAS921, peAS920, peAS911, peAS910};

bool IsPerUser(std::uint8_t edition) {
  return edition == peVL930 || edition == peAS930;
}

// The edition's name, the last part of its key.
WideText EditionName(std::uint8_t edition) {
  const WideView key = kEditionKeys.at(edition);
  return WideText(key.substr(key.rfind(u'\\') + 1));
}

WideText EditionStep(std::uint8_t edition) {
  const RegistryRoot root =
      IsPerUser(edition) ? RegistryRoot::kCurrentUser : RegistryRoot::kLocalMachine;
  return u"edition " + EditionName(edition) + u": " + WideText(RegistryRootName(root)) + u"\\" +
         WideText(kEditionKeys.at(edition));
}

bool IsFerrolin(std::uint8_t edition) {
  return edition == peFR101 || edition == peFR110;
}
const AccountingProduct& ProductOf(std::uint8_t edition) {
  return edition < peAS900 ? kVelmora : kAstrelo;
}

// The scans of one accounting edition. Machine-wide editions register an installation directory
// as "<subkey>\Sciezka" under the local machine and score by the settings file's "Numer";
// per-user editions register the program directory as "<subkey>\Program\Program" under the
// current user and score by the version carrier's version.
class AccountingEdition {
 public:
  AccountingEdition(const DetectionSources& sources, std::uint8_t edition)
      : sources_(sources),
        trace_(sources.observer),
        product_(ProductOf(edition)),
        key_(kEditionKeys.at(edition)),
        per_user_(IsPerUser(edition)) {}

  void FindLatest(WideText& dir, std::int32_t& best_score) const {
    for (const WideText& subkey : Subkeys()) {
      ReadInstallation(trace_, [&] {
        if (per_user_) {
          FindLatestPerUser(subkey, dir, best_score);
        } else {
          FindLatestMachineWide(subkey, dir, best_score);
        }
      });
    }
  }

  void List(InstalledAppsList& list) const {
    for (const WideText& subkey : Subkeys()) {
      sources_.messages.DispatchPending();
      ReadInstallation(trace_, [&] {
        if (per_user_) {
          ListPerUser(subkey, list);
        } else {
          ListMachineWide(subkey, list);
        }
      });
    }
  }

 private:
  [[nodiscard]] RegistryRoot Root() const {
    return per_user_ ? RegistryRoot::kCurrentUser : RegistryRoot::kLocalMachine;
  }

  [[nodiscard]] std::vector<WideText> Subkeys() const {
    std::vector<WideText> names;
    ReadRegKeyNames(sources_.config, Root(), key_, u"", names);
    return names;
  }

  [[nodiscard]] WideText RegisteredDir(const WideText& subkey) const {
    const WideText value = subkey + (per_user_ ? u"\\Program\\Program" : u"\\Sciezka");
    trace_.Candidate([&] { return RegistryOrigin(Root(), key_, value); });
    StoredRegValue stored;
    WideText dir =
        ReadRegValue(sources_.config, Root(), key_, value, u"", trace_ ? &stored : nullptr);
    TraceRegValue(trace_, stored, dir);
    return dir;
  }

  // Only for an absolute directory.
  [[nodiscard]] bool HasMarker(WideView dir) const {
    const WideText marker = JoinPath(dir, product_.marker);
    const bool present = sources_.files.FileExists(marker);
    trace_.Check(u"marker " + marker, [&] { return Presence(present); });
    return present;
  }

  [[nodiscard]] WideText Setting(WideView dir, WideView key) const {
    const WideText file = JoinPath(dir, product_.settings);
    WideText value = ReadIniValue(sources_.config, u"Program", key, u"", file);
    trace_.Check(file + u" [Program] " + WideText(key), [&] { return value; });
    return value;
  }

  [[nodiscard]] std::int32_t Numer(WideView dir) const {
    const WideText file = JoinPath(dir, product_.settings);
    const std::int32_t numer = ReadIniInt(sources_.config, u"Program", u"Numer", 0, file);
    trace_.Check(file + u" [Program] Numer", [&] { return NumberText(numer); });
    return numer;
  }

  [[nodiscard]] WideText FileVersionText(WideView dir) const {
    const WideText carrier = JoinPath(dir, product_.version_carrier);
    WideText version = GetVersionInfoItem(sources_.versions, carrier, u"FileVersion");
    trace_.Check(u"version carrier " + carrier, [&] { return VersionFound(version); });
    return version;
  }

  // The directory that holds the program: the registered one, or else the one its settings file
  // names under "Program"; empty when neither is an absolute path, and so no installation.
  [[nodiscard]] WideText ProgramDir(WideText dir) const {
    if (!IsAbsoluteWindowsPath(dir)) return PassOver(u"path not absolute");
    if (HasMarker(dir)) return dir;
    dir = Setting(dir, u"Program");
    if (!IsAbsoluteWindowsPath(dir)) return PassOver(u"no marker, and no absolute redirect");
    return dir;
  }

  void FindLatestMachineWide(const WideText& subkey, WideText& dir,
                             std::int32_t& best_score) const {
    const WideText program_dir = ProgramDir(RegisteredDir(subkey));
    if (program_dir.empty()) return;
    const std::int32_t score = HasMarker(program_dir) ? Numer(program_dir) : 0;
    Score(program_dir, score, dir, best_score);
  }

  void FindLatestPerUser(const WideText& subkey, WideText& dir, std::int32_t& best_score) const {
    const WideText program_dir = RegisteredDir(subkey);
    if (!IsAbsoluteWindowsPath(program_dir)) {
      PassOver(u"path not absolute");
      return;
    }
    const std::int32_t score =
        HasMarker(program_dir) ? VersionTextToNumber(FileVersionText(program_dir), false) : 0;
    Score(program_dir, score, dir, best_score);
  }

  // A candidate replaces the best only with a strictly greater score.
  void Score(const WideText& program_dir, std::int32_t score, WideText& dir,
             std::int32_t& best_score) const {
    TraceScore(trace_, score, program_dir, best_score, dir);
    if (score > best_score) {
      dir = program_dir;
      best_score = score;
    }
  }

  void ListMachineWide(const WideText& subkey, InstalledAppsList& list) const {
    const WideText program_dir = ProgramDir(RegisteredDir(subkey));
    if (program_dir.empty()) return;
    if (!HasMarker(program_dir)) {
      PassOver(u"no marker in the redirected folder");
      return;
    }
    sources_.messages.DispatchPending();
    WideText version = ListedVersion(FileVersionText(program_dir));
    const std::int32_t score = Numer(program_dir);
    if (score == 0) {
      PassOver(u"Numer is 0 or missing");
      return;
    }
    if (version.empty())
      version = Setting(program_dir, u"Wersja") + Setting(program_dir, u"Wydanie");
    AddUnlessListed(program_dir, version, list);
  }

  void ListPerUser(const WideText& subkey, InstalledAppsList& list) const {
    const WideText program_dir = RegisteredDir(subkey);
    if (!IsAbsoluteWindowsPath(program_dir)) {
      PassOver(u"path not absolute");
      return;
    }
    if (!HasMarker(program_dir)) {
      PassOver(u"no marker");
      return;
    }
    sources_.messages.DispatchPending();
    const WideText file_version = FileVersionText(program_dir);
    const std::int32_t score = VersionTextToNumber(file_version, false);
    const WideText version = FormatVersionText(file_version, true);
    if (score == 0) {
      PassOver(u"no version resource");
      return;
    }
    AddUnlessListed(program_dir, version, list);
  }

  void AddUnlessListed(const WideText& program_dir, const WideText& version,
                       InstalledAppsList& list) const {
    if (list.HasName(program_dir)) {
      PassOver(u"duplicate folder");
      return;
    }
    const WideText name = WideText(product_.display_prefix) + version;
    trace_.Verdict(CandidateVerdict::kListed, [&] { return name; });
    list.Add(program_dir, name);
  }

  // Ends the candidate as no installation; the empty directory.
  WideText PassOver(WideView why) const {
    trace_.Verdict(CandidateVerdict::kPassedOver, [&] { return WideText(why); });
    return {};
  }

  const DetectionSources& sources_;
  DetectionTrace trace_;
  const AccountingProduct& product_;
  WideView key_;
  bool per_user_;
};

WideText FindLatestOf(const TMSI& msi, std::span<const std::uint8_t> editions) {
  WideText dir;
  std::int32_t best_score = 0;
  WideText decided;
  for (const std::uint8_t edition : editions) {
    if (!decided.empty()) {
      msi.trace().Step([&] {
        return EditionName(edition) + u" not asked: a later edition, " + decided +
               u", already decided";
      });
      continue;
    }
    msi.GetLastInstallDir(edition, dir, best_score);
    if (!dir.empty()) decided = EditionName(edition);
  }
  return dir;
}

}  // namespace

void TMSI::GetLastInstallDir(std::uint8_t edition, WideText& dir, std::int32_t& best_score) const {
  if (edition > peFR110 || edition == peAS930) return;
  trace().Step([&] { return EditionStep(edition); });
  if (IsFerrolin(edition)) {
    FindFerrolin(kEditionKeys.at(edition), dir, false, best_score);
    return;
  }
  AccountingEdition(sources_, edition).FindLatest(dir, best_score);
}

void TMSI::ListInstallations(std::uint8_t edition, InstalledAppsList& list) const {
  if (edition > peFR110) return;
  trace().Step([&] { return EditionStep(edition); });
  const KeptQuitMessage quit(sources_.messages);
  if (IsFerrolin(edition)) {
    ListFerrolin(kEditionKeys.at(edition), list, false);
    return;
  }
  AccountingEdition(sources_, edition).List(list);
}

WideText FindLastVelmora(const TMSI& msi) {
  return FindLatestOf(msi, kVelmoraLatestOrder);
}

WideText FindLastAstrelo(const TMSI& msi) {
  return FindLatestOf(msi, kAstreloLatestOrder);
}

}  // namespace tovrel
