#include "capture/MachineCapture.h"

#include <optional>

#include "capture/RecordingSources.h"
#include "detect/TMSI.h"
#include "xmlsettings/SaveInstalledApps.h"

namespace tovrel::capture {
namespace {

// The report's detection calls, in its order. The latest-installation lookups run as well: a
// lookup that stops early on one installation (a version text that is not a number) reads less
// of it than another, so neither covers the other.
void RunLookups(const TMSI& msi, const VersionResources& versions) {
  static_cast<void>(FindLastExcel(msi));
  static_cast<void>(FindLastVelmora(msi));
  static_cast<void>(FindLastAstrelo(msi));
  static_cast<void>(FindLastFerrolin(msi));
  static_cast<void>(FindLastPlatnik(msi));

  for (const WideView section : kReportSections) {
    InstalledAppsList list;
    ListReportSection(msi, versions, section, list);
  }
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
