#pragma once

#include "platform/HostProcess.h"

namespace tovrel::portable {

// The running program as Linux names it; paths have no short form other than themselves.
class ProcHostProcess final : public HostProcess {
 public:
  [[nodiscard]] WideText ExecutablePath() const override;
  [[nodiscard]] std::optional<WideText> ShortPath(WideView path) const override;
};

}  // namespace tovrel::portable
