#pragma once

#include <cstdint>

#include "platform/DirectoryListing.h"

namespace tovrel {

// What CheckDirectoryEmpty finds; the values are the codes the installer script receives.
enum class DirectoryState : std::uint8_t {
  kNotADirectory = 0,  // missing, a file, or the empty path
  kEmpty = 1,          // the listing holds no entry but "." and ".."
  kNotEmpty = 2,       // any other entry, or a listing that cannot be started
};

// Whether the directory, taken as given, is empty: a drive root, which lists no "." and "..", as
// well as any other directory. Hidden and system entries count.
DirectoryState CheckDirectoryEmpty(const DirectoryListing& listing, WideView directory);

}  // namespace tovrel
