#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tovrel::tool {

// The local file that a host path names for the library: on Linux a Windows drive path lies in
// the sample machine's drives.
std::filesystem::path LocalPath(const std::string& host_file);

// Why the library cannot read the file (no name, missing, a directory, unreadable, empty), or
// nothing when it is a file that opens.
std::optional<std::string> UnreadableFileReason(const std::string& host_file);

// Why the library would not replace the file: read-only; nothing otherwise.
std::optional<std::string> UnwritableFileReason(const std::string& host_file);

}  // namespace tovrel::tool
