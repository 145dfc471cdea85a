#pragma once

#include <optional>

#include "reasons/Reason.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// Why a file does not load as a settings document: what is wrong with the file itself, or where
// the parser stopped and why; nothing when it loads.
[[nodiscard]] std::optional<Reason> UnloadableDocumentReason(const SettingsServices& services,
                                                             WideView file);

}  // namespace tovrel
