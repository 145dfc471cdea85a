#pragma once

#include "reasons/CallReport.h"

namespace tovrel::tool {

// Listens to every call the tool makes of the library, as an installer's log would: keeps the
// report of the last one, and with `print_log` writes each call's log lines on stderr.
void HearCalls(bool print_log);

// The report of the last call heard.
[[nodiscard]] const CallReport& LastCall();

}  // namespace tovrel::tool
