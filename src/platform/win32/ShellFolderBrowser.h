#pragma once

#include "platform/FolderBrowser.h"

namespace tovrel::win32 {

// The shell's folder browser, shown without an owner on the calling thread, whose COM apartment
// the host set up.
class ShellFolderBrowser final : public FolderBrowser {
 public:
  [[nodiscard]] bool IsExistingFolder(WideView path) const override;
  [[nodiscard]] std::optional<WideText> Browse(const FolderBrowseRequest& request) const override;
};

}  // namespace tovrel::win32
