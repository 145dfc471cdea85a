#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace tovrel::win32 {

class Win32FileSystem final : public FileSystem {
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

// The bytes of the file at the path, read once no change of it is under way: the read waits, at
// most kFileChangeWait, for a change that holds the file's mutex (one this thread holds counts as
// none) and holds the mutex while it reads, so that a change waits no longer than the read. An
// open that a save's replace window refuses is tried again, with short pauses, within the same
// time. Nothing, at once, for a device, pipe or mailslot name, a directory, or an open handle
// that is no file on a disk; nothing for a file that cannot be read.
[[nodiscard]] std::optional<std::string> ReadWholeFile(WideView path);

}  // namespace tovrel::win32
