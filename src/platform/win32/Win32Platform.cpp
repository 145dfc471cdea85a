#include "platform/Platform.h"
#include "platform/win32/CngCrypto.h"
#include "platform/win32/ComFirewall.h"
#include "platform/win32/MsiInstallerDatabase.h"
#include "platform/win32/MsxmlDom.h"
#include "platform/win32/ShellFolderBrowser.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32DirectoryListing.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HostProcess.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32VersionResources.h"

namespace tovrel {

Platform MakePlatform() {
  return Platform{
      .code_page = std::make_unique<win32::Win32CodePage>(),
      .xml = std::make_unique<win32::MsxmlDomFactory>(),
      .files = std::make_unique<win32::Win32FileSystem>(),
      .installer = std::make_unique<win32::MsiInstallerDatabase>(),
      .folders = std::make_unique<win32::ShellFolderBrowser>(),
      .firewall = std::make_unique<win32::ComFirewall>(),
      .versions = std::make_unique<win32::Win32VersionResources>(),
      .directories = std::make_unique<win32::Win32DirectoryListing>(),
      .registry = std::make_unique<win32::Win32Registry>(),
      .profiles = std::make_unique<win32::Win32ProfileFiles>(),
      .crypto = std::make_unique<win32::CngCrypto>(),
      .host = std::make_unique<win32::Win32HostProcess>(),
      .messages = std::make_unique<win32::Win32MessagePump>(),
  };
}

}  // namespace tovrel
