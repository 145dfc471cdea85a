#pragma once

#include <cstdint>

#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// Sets the text of the node a path names in a settings file, creating the path when it is
// missing, and saves the file. 1 when the node was found or created and the file saved; 0, with
// the file untouched, otherwise. An empty value leaves the node's text as it is. `stop`, when
// given, tells where a 0 came from.
std::int32_t DoXMLAddNode(const SettingsServices& services, WideView file_name, WideView node_path,
                          WideView value, ChangeStop* stop = nullptr);

// The text of the node a path names in a settings file, or "Empty" when the file, the document
// or the node cannot be read.
WideText DoXMLGetNode(const XmlDomFactory& xml, WideView file_name, WideView node_path);

}  // namespace tovrel
