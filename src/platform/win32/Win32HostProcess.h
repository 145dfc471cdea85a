#pragma once

#include "platform/HostProcess.h"

namespace tovrel::win32 {

// The host process through GetModuleFileNameW and GetShortPathNameW.
class Win32HostProcess final : public HostProcess {
 public:
  [[nodiscard]] WideText ExecutablePath() const override;
  [[nodiscard]] std::optional<WideText> ShortPath(WideView path) const override;
};

}  // namespace tovrel::win32
