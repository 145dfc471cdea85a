#pragma once

#include <string_view>

#include "platform/ByteSink.h"
#include "platform/Text.h"

namespace tovrel {

// The file operations the logic needs, on Windows paths of the machine the library runs on.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file; false for a directory or a missing path.
  [[nodiscard]] virtual bool FileExists(WideView path) const = 0;

  // Replaces the content of an existing file in one step: the writer's bytes go straight into a
  // file beside it under a short temporary name, which is flushed and then put in its place,
  // keeping what makes the file itself (attributes, permissions, owner, creation time where the
  // platform keeps them; the file a symbolic link leads to, not the link). Bytes equal to the
  // file's do not replace it: the file and its time stay untouched. Temporaries that an earlier
  // save of the same file left behind are removed. False, with the file unchanged, when it is
  // read-only, missing, the writer fails, or any step fails.
  [[nodiscard]] virtual bool ReplaceFileWith(WideView path, const ContentWriter& write) const = 0;

  // ReplaceFileWith for bytes at hand.
  [[nodiscard]] bool ReplaceFileContents(WideView path, std::string_view bytes) const {
    return ReplaceFileWith(path, [&](const ByteSink& sink) { return sink(bytes); });
  }
};

}  // namespace tovrel
