#pragma once

#include <vector>

#include "reasons/Reason.h"
#include "xmlsettings/SaveInstalledApps.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// Why XMLGetNode answered "Empty": the file, the document or the path; nothing when the node
// holds the text "Empty" itself.
[[nodiscard]] Reasons XMLGetNodeReasons(const SettingsServices& services, WideView file,
                                        WideView node_path);

// Why XMLAddNode answered 0, given where its change stopped.
[[nodiscard]] Reasons XMLAddNodeReasons(const SettingsServices& services, WideView file,
                                        WideView node_path, WideView value, ChangeStop stop);

// Why XMLSaveInstalledApps answered 0: the sections not written, those that stopped for the same
// reason named together.
[[nodiscard]] Reasons XMLSaveInstalledAppsReasons(const SettingsServices& services, WideView file,
                                                  const std::vector<UnwrittenSection>& unwritten);

}  // namespace tovrel
