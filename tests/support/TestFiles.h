#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "text/Text.h"

namespace tovrel::test {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // Writes the bytes to a file in this directory and gives its full path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);

// The path as the library takes it on this platform.
WideText LibraryPath(const std::filesystem::path& file);

// The file's path as host text in the ANSI code page; test paths are ASCII.
std::string HostPath(const std::filesystem::path& file);

// True under Wine, where a few platform behaviours are known to differ from Windows.
bool RunningUnderWine();

}  // namespace tovrel::test
