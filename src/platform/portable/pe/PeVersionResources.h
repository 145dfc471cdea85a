#pragma once

#include "platform/VersionResources.h"

namespace tovrel::portable {

// Version resources read from PE images by the library itself, on the machine's paths.
class PeVersionResources final : public VersionResources {
 public:
  [[nodiscard]] std::unique_ptr<const VersionInfo> Read(WideView file_name) const override;
};

}  // namespace tovrel::portable
