#include "platform/Platform.h"
#include "platform/win32/CngCrypto.h"
#include "platform/win32/MsxmlDom.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HostProcess.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"

namespace tovrel {

Platform MakePlatform() {
  return Platform{
      .code_page = std::make_unique<win32::Win32CodePage>(),
      .xml = std::make_unique<win32::MsxmlDomFactory>(),
      .files = std::make_unique<win32::Win32FileSystem>(),
      .registry = std::make_unique<win32::Win32Registry>(),
      .profiles = std::make_unique<win32::Win32ProfileFiles>(),
      .crypto = std::make_unique<win32::CngCrypto>(),
      .host = std::make_unique<win32::Win32HostProcess>(),
  };
}

}  // namespace tovrel
