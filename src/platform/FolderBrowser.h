#pragma once

#include <cstdint>
#include <optional>

#include "text/Text.h"

namespace tovrel {

// Options of the folder browser, with the values the Windows shell gives them.
inline constexpr std::uint32_t kBrowseReturnOnlyFsDirs = 0x0001;
inline constexpr std::uint32_t kBrowseNewDialogStyle = 0x0040;

struct FolderBrowseRequest {
  // The instruction shown above the folder tree; may be empty.
  WideText caption;
  // The folder at the top of the tree; empty for the whole namespace.
  WideText root;
  // The folder the tree opens on; empty for none.
  WideText initial_directory;
  std::uint32_t options = 0;
};

// The user's choice of a folder, made in a modal dialog on the calling thread.
class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;

  // Whether the path names an existing folder; false for an empty path.
  [[nodiscard]] virtual bool IsExistingFolder(WideView path) const = 0;

  // Shows the browser and gives the path of the folder the user chose; nothing when the user
  // cancels or the browser cannot be shown. A root that names no folder starts the tree at the
  // top of the namespace.
  [[nodiscard]] virtual std::optional<WideText> Browse(
      const FolderBrowseRequest& request) const = 0;
};

}  // namespace tovrel
