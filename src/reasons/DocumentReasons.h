#pragma once

#include <memory>
#include <optional>

#include "reasons/Reason.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// A settings file loaded as a change loads it, or why it does not load: what is wrong with the
// file itself, or where the parser stopped and why. Exactly one of the two is set.
struct LoadedDocument {
  std::unique_ptr<XmlDocument> document;
  std::optional<Reason> reason;
};
[[nodiscard]] LoadedDocument LoadOrExplain(const SettingsServices& services, WideView file);

// Why a file does not load as a settings document; nothing when it loads.
[[nodiscard]] std::optional<Reason> UnloadableDocumentReason(const SettingsServices& services,
                                                             WideView file);

}  // namespace tovrel
