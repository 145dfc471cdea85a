#pragma once

#include <cstdint>

#include "platform/FolderBrowser.h"

namespace tovrel {

// The options the installer's folder dialog is shown with: file-system folders only, the
// resizable dialog with its new-folder button.
inline constexpr std::uint32_t kSelDirectoryOptions =
    kBrowseReturnOnlyFsDirs | kBrowseNewDialogStyle;

// Asks the user for a folder below the root, the tree opening on `directory` when that is an
// existing folder. True with `directory` replaced by the chosen path; false with `directory`
// unchanged when the user cancels or the browser cannot be shown.
bool SelectFolder(const FolderBrowser& browser, WideView caption, WideView root,
                  WideText& directory, std::uint32_t options);

// The folder the user chose, or empty when the user cancels or anything fails.
WideText DoSelDirectory(const FolderBrowser& browser, WideView caption, WideView root) noexcept;

}  // namespace tovrel
