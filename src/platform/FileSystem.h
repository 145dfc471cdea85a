#pragma once

#include <string_view>

#include "platform/Text.h"

namespace tovrel {

// The file operations the logic needs, on Windows paths of the machine the library runs on.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file; false for a directory or a missing path.
  [[nodiscard]] virtual bool FileExists(WideView path) const = 0;

  // Replaces the content of an existing file in one step: the new bytes are written and flushed
  // beside it, then moved over it, keeping its attributes. False, with the file unchanged, when
  // it is read-only, missing, or any step fails.
  [[nodiscard]] virtual bool ReplaceFileContents(WideView path, std::string_view bytes) const = 0;
};

}  // namespace tovrel
