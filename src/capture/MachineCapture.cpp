#include "capture/MachineCapture.h"

#include <array>
#include <cstdint>

#include "capture/RecordingSources.h"
#include "detect/OfficeGenerations.h"
#include "detect/TMSI.h"
#include "fileutil/VersionInfo.h"

namespace tovrel::capture {
namespace {

// The editions of each product, newest first, as the report lists them, so that a folder
// registered in several spellings is written in the one the report shows.
constexpr std::array kVelmoraEditions = {peVL930, peVL921, peVL920, peVL911,
                                         peVL910, peVL901, peVL900};
constexpr std::array kAstreloEditions = {peAS930, peAS921, peAS920, peAS911,
                                         peAS910, peAS901, peAS900};
constexpr std::array kFerrolinEditions = {peFR110, peFR101};

template <std::size_t N>
void ListEditions(const TMSI& msi, const std::array<TProductEdition, N>& editions) {
  InstalledAppsList list;
  for (const TProductEdition edition : editions) msi.ListInstallations(edition, list);
}

// The report's detection calls, in its order. The latest-installation lookups run as well: a
// lookup that stops early on one installation (a version text that is not a number) reads less
// of it than another, so neither covers the other.
void RunLookups(const TMSI& msi, const VersionResources& versions) {
  static_cast<void>(FindLastExcel(msi));
  static_cast<void>(FindLastVelmora(msi));
  static_cast<void>(FindLastAstrelo(msi));
  static_cast<void>(FindLastFerrolin(msi));
  static_cast<void>(FindLastPlatnik(msi));

  InstalledAppsList list;
  for (std::size_t g = kOfficeGenerations.size(); g-- > 0;) {
    const OfficeGeneration& office = kOfficeGenerations[g];
    const WideText path =
        msi.GetOfficeComponentPath(office.product_pattern, office.excel_component, u"");
    if (!path.empty()) msi.AddOfficeProduct(g, path, list);
  }
  ListEditions(msi, kVelmoraEditions);
  ListEditions(msi, kAstreloEditions);
  ListEditions(msi, kFerrolinEditions);
  WideText platnik;
  std::int32_t best_score = 0;
  msi.FindPlatnik(platnik, best_score);
  if (!platnik.empty()) static_cast<void>(GetVersionInfoItem(versions, platnik, u"FileVersion"));
}

template <typename Read>
std::optional<bool> ReadFirewallState(Read&& read) {
  try {
    return read();
  } catch (const FirewallError&) {
    return std::nullopt;
  }
}

RecordedFirewall CaptureFirewall(const Firewall& firewall) {
  RecordedFirewall state;
  try {
    const auto profile = firewall.CurrentProfile();
    if (!profile) return state;
    state.enabled = ReadFirewallState([&] { return profile->FirewallEnabled(); });
    state.exceptions_not_allowed =
        ReadFirewallState([&] { return profile->ExceptionsNotAllowed(); });
  } catch (const FirewallError&) {
  }
  return state;
}

}  // namespace

MachineRecord CaptureMachine(const Platform& platform) {
  MachineRecord record;
  const RecordingRegistry registry(*platform.registry, record);
  const RecordingProfileFiles profiles(*platform.profiles, record);
  const RecordingFileSystem files(*platform.files, record);
  const RecordingVersionResources versions(*platform.versions, record);
  const RecordingInstallerDatabase installer(*platform.installer, record);
  const ConfigSources config{*platform.code_page, profiles, registry, *platform.crypto, WideView()};
  const TMSI msi(DetectionSources{installer, config, files, versions, *platform.messages});
  RunLookups(msi, versions);
  record.firewall = CaptureFirewall(*platform.firewall);
  return record;
}

}  // namespace tovrel::capture
