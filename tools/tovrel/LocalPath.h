#pragma once

#include <filesystem>
#include <string>

namespace tovrel::tool {

// The local file that a host path names for the library: on Linux a Windows drive path lies in
// the sample machine's drives.
std::filesystem::path LocalPath(const std::string& host_file);

}  // namespace tovrel::tool
