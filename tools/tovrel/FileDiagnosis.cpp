#include "FileDiagnosis.h"

#include <fstream>
#include <system_error>

#include "Commands.h"
#include "HostArguments.h"

#ifndef _WIN32
#include "platform/portable/machine/NativePath.h"
#endif

namespace tovrel::tool {

std::filesystem::path LocalPath(const std::string& host_file) {
#ifdef _WIN32
  const WideText wide = HostToWide(host_file);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
  return portable::NativePath(HostToWide(host_file));
#endif
}

std::optional<std::string> UnreadableFileReason(const std::string& host_file) {
  if (host_file.empty()) return "the file name is empty";
  const std::filesystem::path path = LocalPath(host_file);
  if (path.empty()) {
    return Quoted(host_file) +
           " is on a drive of no machine (give --machine DIR or TOVREL_MACHINE)";
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return Quoted(host_file) + ": no such file";
  }
  if (std::filesystem::is_directory(status)) return Quoted(host_file) + " is a directory";
  if (!std::ifstream(path, std::ios::binary)) {
    return Quoted(host_file) + " cannot be opened for reading";
  }
  if (std::filesystem::file_size(path, error) == 0 && !error) {
    return Quoted(host_file) + " is empty";
  }
  return std::nullopt;
}

std::optional<std::string> UnwritableFileReason(const std::string& host_file) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(LocalPath(host_file), error);
  // Without its owner's write permission a file is read-only to the library, root's tool too.
  if (!error && (status.permissions() & std::filesystem::perms::owner_write) ==
                    std::filesystem::perms::none) {
    return Quoted(host_file) + " is read-only";
  }
  return std::nullopt;
}

}  // namespace tovrel::tool
