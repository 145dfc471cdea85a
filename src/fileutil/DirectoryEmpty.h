#pragma once

#include <cstdint>

#include "platform/DirectoryListing.h"

namespace tovrel {

// What CheckDirectoryEmpty finds; the values are the codes the installer script receives.
enum class DirectoryState : std::uint8_t {
  kNotADirectory = 0,  // missing, a file, or the empty path
  kEmpty = 1,          // the listing holds exactly two entries, "." and ".."
  kNotEmpty = 2,       // more entries, fewer than two, or a listing that cannot be started
};

// Whether the directory, taken as given, is empty. Entries are counted, not compared by name:
// the first two are taken to be "." and "..". Hidden and system entries count.
DirectoryState CheckDirectoryEmpty(const DirectoryListing& listing, WideView directory);

}  // namespace tovrel
