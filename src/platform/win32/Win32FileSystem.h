#pragma once

#include "platform/FileSystem.h"

namespace tovrel::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool FileExists(WideView path) const override;
  [[nodiscard]] bool ReplaceFileContents(WideView path, std::string_view bytes) const override;
};

}  // namespace tovrel::win32
