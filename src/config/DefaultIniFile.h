#pragma once

#include <optional>

#include "platform/HostProcess.h"

namespace tovrel {

// The default settings file beside an executable: the directory of its short form (up to and
// including the last "\" or ":"; empty when there is no short form) followed by its long file
// name with every ".exe" (exactly that, lower case) replaced by ".ini".
WideText DefaultIniFileFor(WideView executable, const std::optional<WideText>& short_form);

// The default settings file beside the host process's executable.
WideText MakeDefaultIniFile(const HostProcess& host);

}  // namespace tovrel
