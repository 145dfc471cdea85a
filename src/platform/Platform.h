#pragma once

#include <memory>

#include "platform/AnsiCodePage.h"
#include "platform/Crypto.h"
#include "platform/FileSystem.h"
#include "platform/HostProcess.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/XmlDom.h"

namespace tovrel {

// Every platform service of one backend. The logic takes the services it needs by reference.
struct Platform {
  std::unique_ptr<const AnsiCodePage> code_page;
  std::unique_ptr<const XmlDomFactory> xml;
  std::unique_ptr<const FileSystem> files;
  std::unique_ptr<const Registry> registry;
  std::unique_ptr<const ProfileFiles> profiles;
  std::unique_ptr<const Crypto> crypto;
  std::unique_ptr<const HostProcess> host;
};

// The backend this build was made with: win32 on Windows, portable elsewhere.
[[nodiscard]] Platform MakePlatform();

}  // namespace tovrel
