#pragma once

#include "text/Text.h"

namespace tovrel {

// True when the regular expression matches anywhere in the text, case-sensitively (ECMAScript
// syntax). Raises std::regex_error for a pattern that is not a regular expression.
bool PatternFound(WideView pattern, WideView text);

}  // namespace tovrel
