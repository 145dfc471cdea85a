#include <stdexcept>

#include "platform/Platform.h"
#include "platform/portable/IconvCodePage.h"
#include "platform/portable/Libxml2Dom.h"
#include "platform/portable/NoMessagePump.h"
#include "platform/portable/OpenSslCrypto.h"
#include "platform/portable/PosixDirectoryListing.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/ProcHostProcess.h"
#include "platform/portable/machine/ChooserFolderBrowser.h"
#include "platform/portable/machine/FirewallFile.h"
#include "platform/portable/machine/IniProfileFiles.h"
#include "platform/portable/machine/MachineRegistry.h"
#include "platform/portable/machine/RegistryInstallerDatabase.h"
#include "platform/portable/pe/PeVersionResources.h"

namespace tovrel {
namespace {

std::unique_ptr<const AnsiCodePage> MakeCodePage() {
  try {
    return std::make_unique<portable::IconvCodePage>(
        portable::IconvCodePage::NumberFromEnvironment());
  } catch (const std::invalid_argument&) {
    return std::make_unique<portable::IconvCodePage>(1252);
  }
}

}  // namespace

Platform MakePlatform() {
  Platform platform{
      .code_page = MakeCodePage(),
      .xml = std::make_unique<portable::Libxml2DomFactory>(),
      .files = std::make_unique<portable::PosixFileSystem>(),
      .installer = nullptr,
      .folders = std::make_unique<portable::ChooserFolderBrowser>(),
      .firewall = nullptr,
      .versions = std::make_unique<portable::PeVersionResources>(),
      .directories = std::make_unique<portable::PosixDirectoryListing>(),
      .registry = nullptr,
      .profiles = nullptr,
      .crypto = std::make_unique<portable::OpenSslCrypto>(),
      .host = std::make_unique<portable::ProcHostProcess>(),
      .messages = std::make_unique<portable::NoMessagePump>(),
  };
  // One code page for every service; the platform's member outlives the others.
  platform.registry = std::make_unique<portable::MachineRegistry>(*platform.code_page);
  platform.profiles = std::make_unique<portable::IniProfileFiles>(*platform.code_page);
  platform.firewall = std::make_unique<portable::FirewallFile>(*platform.files);
  platform.installer =
      std::make_unique<portable::RegistryInstallerDatabase>(*platform.registry, *platform.files);
  return platform;
}

}  // namespace tovrel
