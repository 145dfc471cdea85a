#pragma once

#include <memory>

#include "platform/FileSystem.h"
#include "platform/XmlDom.h"

namespace tovrel {

// What reading and writing a settings file needs from the platform.
struct SettingsServices {
  const XmlDomFactory& xml;
  const FileSystem& files;
};

// One settings file loaded for one call; null when it is missing, unreadable or not well-formed.
// Raises XmlDomError when no DOM can be created.
std::unique_ptr<XmlDocument> LoadSettingsFile(const XmlDomFactory& xml, WideView file_name);

// Writes the document over the file in one step; false, with the file unchanged, on any failure.
[[nodiscard]] bool SaveSettingsFile(const SettingsServices& services, const XmlDocument& document,
                                    WideView file_name);

}  // namespace tovrel
