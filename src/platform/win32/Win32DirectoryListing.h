#pragma once

#include "platform/DirectoryListing.h"

namespace tovrel::win32 {

// Directories through the first-file and next-file search, with the pattern "*.*".
class Win32DirectoryListing final : public DirectoryListing {
 public:
  [[nodiscard]] bool DirectoryExists(WideView path) const override;
  [[nodiscard]] std::unique_ptr<DirectorySearch> FindFirst(WideView directory) const override;
};

}  // namespace tovrel::win32
