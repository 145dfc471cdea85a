#pragma once

#include "platform/ProfileFiles.h"

namespace tovrel::win32 {

// Profile files through GetPrivateProfileStringW.
class Win32ProfileFiles final : public ProfileFiles {
 public:
  [[nodiscard]] WideText ReadProfileString(WideView file_name, WideView section, WideView key,
                                           WideView default_value) const override;
};

}  // namespace tovrel::win32
