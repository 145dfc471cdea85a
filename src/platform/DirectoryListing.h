#pragma once

#include <memory>

#include "text/Text.h"

namespace tovrel {

// An open listing of a directory's entries; it is closed when the object goes.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;

  // The name of the entry the search stands on; "" when the listing holds no entry at all.
  [[nodiscard]] virtual WideText Name() const = 0;
  // Moves to the next entry; false when there is none left or the listing fails.
  [[nodiscard]] virtual bool FindNext() = 0;
};

// Lists directories entry by entry, as a first-file and next-file search does: "." and ".."
// come first where the system lists them, and a drive root lists neither.
class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;

  // True when the path names an existing directory; false for files, missing paths and "".
  [[nodiscard]] virtual bool DirectoryExists(WideView path) const = 0;

  // Starts listing every entry of the directory, of every attribute (hidden and system ones
  // included), standing on the first, or on none when the directory lists nothing; null when
  // the listing cannot be started. The path is used as given.
  [[nodiscard]] virtual std::unique_ptr<DirectorySearch> FindFirst(WideView directory) const = 0;
};

}  // namespace tovrel
