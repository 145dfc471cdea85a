#pragma once

#include <memory>

#include "platform/AnsiCodePage.h"
#include "platform/Crypto.h"
#include "platform/DirectoryListing.h"
#include "platform/FileSystem.h"
#include "platform/Firewall.h"
#include "platform/FolderBrowser.h"
#include "platform/HostProcess.h"
#include "platform/InstallerDatabase.h"
#include "platform/MessagePump.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/VersionResources.h"
#include "platform/XmlDom.h"

namespace tovrel {

// Every platform service of one backend. The logic takes the services it needs by reference.
struct Platform {
  std::unique_ptr<const AnsiCodePage> code_page;
  std::unique_ptr<const XmlDomFactory> xml;
  std::unique_ptr<const FileSystem> files;
  std::unique_ptr<const InstallerDatabase> installer;
  std::unique_ptr<const FolderBrowser> folders;
  std::unique_ptr<const Firewall> firewall;
  std::unique_ptr<const VersionResources> versions;
  std::unique_ptr<const DirectoryListing> directories;
  std::unique_ptr<const Registry> registry;
  std::unique_ptr<const ProfileFiles> profiles;
  std::unique_ptr<const Crypto> crypto;
  std::unique_ptr<const HostProcess> host;
  std::unique_ptr<const MessagePump> messages;
};

// The backend this build was made with: win32 on Windows, portable elsewhere.
[[nodiscard]] Platform MakePlatform();

}  // namespace tovrel
