#pragma once

#include "platform/DirectoryListing.h"

namespace tovrel::portable {

// Directories on the machine's paths. Linux lists "." and ".." in no fixed place, so the
// listing reports them first itself and then the directory's other entries.
class PosixDirectoryListing final : public DirectoryListing {
 public:
  [[nodiscard]] bool DirectoryExists(WideView path) const override;
  [[nodiscard]] std::unique_ptr<DirectorySearch> FindFirst(WideView directory) const override;
};

}  // namespace tovrel::portable
