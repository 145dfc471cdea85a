#pragma once

#include <optional>
#include <string>

namespace tovrel::tool {

// Why the library cannot load the file as a settings document: what is wrong with the file
// itself, or where the parser stopped and why; nothing when it loads.
std::optional<std::string> UnloadableDocumentReason(const std::string& host_file);

}  // namespace tovrel::tool
