#include "fileutil/DirectoryEmpty.h"

namespace tovrel {

DirectoryState CheckDirectoryEmpty(const DirectoryListing& listing, WideView directory) {
  if (!listing.DirectoryExists(directory)) return DirectoryState::kNotADirectory;
  const auto search = listing.FindFirst(directory);
  if (!search || !search->FindNext()) return DirectoryState::kNotEmpty;
  return search->FindNext() ? DirectoryState::kNotEmpty : DirectoryState::kEmpty;
}

}  // namespace tovrel
