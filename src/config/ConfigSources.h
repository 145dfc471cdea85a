#pragma once

#include "platform/AnsiCodePage.h"
#include "platform/Crypto.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"

namespace tovrel {

// What the settings readers read from: the platform services and the default settings file
// that the profile readers use when they are given no file name.
struct ConfigSources {
  const AnsiCodePage& code_page;
  const ProfileFiles& profiles;
  const Registry& registry;
  const Crypto& crypto;
  WideView default_ini_file;
};

}  // namespace tovrel
