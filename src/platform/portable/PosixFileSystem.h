#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace tovrel::portable {

class PosixFileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool FileExists(WideView path) const override;
  [[nodiscard]] FileFacts Describe(WideView path) const override;
  [[nodiscard]] std::optional<FileStamp> Stamp(WideView path) const override;
  [[nodiscard]] Replaced ReplaceFileUnlessChanged(
      WideView path, const ContentWriter& write,
      const std::optional<FileStamp>& loaded) const override;
  [[nodiscard]] std::unique_ptr<FileChangeLock> LockForChange(
      WideView path, std::chrono::milliseconds wait) const override;
};

// The bytes of the regular file at the path, read once no change of it is under way: the read
// waits, at most kFileChangeWait, for a change that holds the file's lock (one this thread holds
// counts as none), and holds the lock shared while it reads, so that a change waits no longer
// than the read. Nothing, at once, for a path that names no regular file, and for one that
// cannot be read.
[[nodiscard]] std::optional<std::string> ReadWholeFile(WideView path);

}  // namespace tovrel::portable
