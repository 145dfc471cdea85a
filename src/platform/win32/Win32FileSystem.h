#pragma once

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

}  // namespace tovrel::win32
