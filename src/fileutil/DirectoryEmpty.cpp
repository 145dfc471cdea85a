#include "fileutil/DirectoryEmpty.h"

namespace tovrel {
namespace {

[[nodiscard]] bool IsDotEntry(WideView name) {
  return name == u"." || name == u"..";
}

}  // namespace

// Entries are told by name, not by count: a drive root lists no "." and "..".
DirectoryState CheckDirectoryEmpty(const DirectoryListing& listing, WideView directory) {
  if (!listing.DirectoryExists(directory)) return DirectoryState::kNotADirectory;
  const auto search = listing.FindFirst(directory);
  if (!search) return DirectoryState::kNotEmpty;
  if (search->Name().empty()) return DirectoryState::kEmpty;
  do {
    if (!IsDotEntry(search->Name())) return DirectoryState::kNotEmpty;
  } while (search->FindNext());
  return DirectoryState::kEmpty;
}

}  // namespace tovrel
