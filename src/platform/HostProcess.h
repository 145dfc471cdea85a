#pragma once

#include <optional>

#include "text/Text.h"

namespace tovrel {

// The process the library is loaded into.
class HostProcess {
 public:
  virtual ~HostProcess() = default;

  // The full path of the process's executable (not of the library); empty when unknown.
  [[nodiscard]] virtual WideText ExecutablePath() const = 0;

  // The short (8.3) form of an existing path; nullopt when it cannot be obtained.
  [[nodiscard]] virtual std::optional<WideText> ShortPath(WideView path) const = 0;
};

}  // namespace tovrel
