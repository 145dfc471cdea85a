#include "shell/SelectFolder.h"

namespace tovrel {

bool SelectFolder(const FolderBrowser& browser, WideView caption, WideView root,
                  WideText& directory, std::uint32_t options) {
  FolderBrowseRequest request{
      .caption = WideText(caption),
      .root = WideText(root),
      .initial_directory = browser.IsExistingFolder(directory) ? directory : WideText(),
      .options = options,
  };
  std::optional<WideText> chosen = browser.Browse(request);
  if (!chosen) return false;
  directory = std::move(*chosen);
  return true;
}

WideText DoSelDirectory(const FolderBrowser& browser, WideView caption, WideView root) noexcept {
  try {
    WideText directory;
    return SelectFolder(browser, caption, root, directory, kSelDirectoryOptions) ? directory
                                                                                 : WideText();
  } catch (...) {
    // The installer only learns that no folder was chosen.
    return {};
  }
}

}  // namespace tovrel
