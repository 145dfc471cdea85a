#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "config/ProfileValues.h"
#include "config/RegistryValues.h"
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

bool IsFerrolin(std::uint8_t edition) {
  return edition == peFR101 || edition == peFR110;
}
bool IsPerUser(std::uint8_t edition) {
  return edition == peVL930 || edition == peAS930;
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
        product_(ProductOf(edition)),
        key_(kEditionKeys.at(edition)),
        per_user_(IsPerUser(edition)) {}

  void FindLatest(WideText& dir, std::int32_t& best_score) const {
    for (const WideText& subkey : Subkeys()) {
      ReadInstallation([&] {
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
      ReadInstallation([&] {
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
    const WideView value = per_user_ ? u"\\Program\\Program" : u"\\Sciezka";
    return ReadRegValue(sources_.config, Root(), key_, subkey + WideText(value));
  }

  // Only for an absolute directory.
  [[nodiscard]] bool HasMarker(WideView dir) const {
    return sources_.files.FileExists(JoinPath(dir, product_.marker));
  }

  [[nodiscard]] WideText Setting(WideView dir, WideView key) const {
    return ReadIniValue(sources_.config, u"Program", key, u"", JoinPath(dir, product_.settings));
  }

  [[nodiscard]] std::int32_t Numer(WideView dir) const {
    return ReadIniInt(sources_.config, u"Program", u"Numer", 0, JoinPath(dir, product_.settings));
  }

  [[nodiscard]] WideText FileVersionText(WideView dir) const {
    return GetVersionInfoItem(sources_.versions, JoinPath(dir, product_.version_carrier),
                              u"FileVersion");
  }

  // The directory that holds the program: the registered one, or else the one its settings file
  // names under "Program"; empty when neither is an absolute path, and so no installation.
  [[nodiscard]] WideText ProgramDir(WideText dir) const {
    if (!IsAbsoluteWindowsPath(dir)) return {};
    if (HasMarker(dir)) return dir;
    dir = Setting(dir, u"Program");
    return IsAbsoluteWindowsPath(dir) ? dir : WideText();
  }

  void FindLatestMachineWide(const WideText& subkey, WideText& dir,
                             std::int32_t& best_score) const {
    const WideText program_dir = ProgramDir(RegisteredDir(subkey));
    if (program_dir.empty()) return;
    const std::int32_t score = HasMarker(program_dir) ? Numer(program_dir) : 0;
    if (score > best_score) {
      dir = program_dir;
      best_score = score;
    }
  }

  void FindLatestPerUser(const WideText& subkey, WideText& dir, std::int32_t& best_score) const {
    const WideText program_dir = RegisteredDir(subkey);
    if (!IsAbsoluteWindowsPath(program_dir)) return;
    const std::int32_t score =
        HasMarker(program_dir) ? VersionTextToNumber(FileVersionText(program_dir), false) : 0;
    if (score > best_score) {
      dir = program_dir;
      best_score = score;
    }
  }

  void ListMachineWide(const WideText& subkey, InstalledAppsList& list) const {
    const WideText program_dir = ProgramDir(RegisteredDir(subkey));
    if (program_dir.empty() || !HasMarker(program_dir)) return;
    sources_.messages.DispatchPending();
    WideText version = ListedVersion(FileVersionText(program_dir));
    const std::int32_t score = Numer(program_dir);
    if (score == 0) return;
    if (version.empty())
      version = Setting(program_dir, u"Wersja") + Setting(program_dir, u"Wydanie");
    if (!list.HasName(program_dir))
      list.Add(program_dir, WideText(product_.display_prefix) + version);
  }

  void ListPerUser(const WideText& subkey, InstalledAppsList& list) const {
    const WideText program_dir = RegisteredDir(subkey);
    if (!IsAbsoluteWindowsPath(program_dir) || !HasMarker(program_dir)) return;
    sources_.messages.DispatchPending();
    const WideText file_version = FileVersionText(program_dir);
    const std::int32_t score = VersionTextToNumber(file_version, false);
    const WideText version = FormatVersionText(file_version, true);
    if (score != 0 && !list.HasName(program_dir)) {
      list.Add(program_dir, WideText(product_.display_prefix) + version);
    }
  }

  const DetectionSources& sources_;
  const AccountingProduct& product_;
  WideView key_;
  bool per_user_;
};

WideText FindLatestOf(const TMSI& msi, std::span<const std::uint8_t> editions) {
  WideText dir;
  std::int32_t best_score = 0;
  for (const std::uint8_t edition : editions) {
    msi.GetLastInstallDir(edition, dir, best_score);
    if (!dir.empty()) break;
  }
  return dir;
}

}  // namespace

void TMSI::GetLastInstallDir(std::uint8_t edition, WideText& dir, std::int32_t& best_score) const {
  if (edition > peFR110 || edition == peAS930) return;
  if (IsFerrolin(edition)) {
    FindFerrolin(kEditionKeys.at(edition), dir, false, best_score);
    return;
  }
  AccountingEdition(sources_, edition).FindLatest(dir, best_score);
}

void TMSI::ListInstallations(std::uint8_t edition, InstalledAppsList& list) const {
  if (edition > peFR110) return;
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
