#pragma once

#include "platform/VersionResources.h"

namespace tovrel::win32 {

// Version resources through version.dll.
class Win32VersionResources final : public VersionResources {
 public:
  [[nodiscard]] std::unique_ptr<const VersionInfo> Read(WideView file_name) const override;
};

}  // namespace tovrel::win32
