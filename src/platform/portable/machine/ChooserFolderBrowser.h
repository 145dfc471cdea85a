#pragma once

#include "platform/FolderBrowser.h"

namespace tovrel::portable {

// The desktop's own folder chooser, run as a separate program: the one the environment
// variable TOVREL_FOLDER_CHOOSER names, or else zenity or kdialog when a desktop session is
// open (DISPLAY or WAYLAND_DISPLAY set). kdialog, or a program named after it, is called with
// kdialog's arguments; any other program with zenity's. Without a chooser the user cancels.
class ChooserFolderBrowser final : public FolderBrowser {
 public:
  [[nodiscard]] bool IsExistingFolder(WideView path) const override;
  [[nodiscard]] std::optional<WideText> Browse(const FolderBrowseRequest& request) const override;
};

}  // namespace tovrel::portable
