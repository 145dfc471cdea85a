#pragma once

#include "platform/FileSystem.h"

namespace tovrel::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool FileExists(WideView path) const override;
  [[nodiscard]] bool ReplaceFileWith(WideView path, const ContentWriter& write) const override;
};

}  // namespace tovrel::win32
