#pragma once

#include <vector>

#include "reasons/Reason.h"

namespace tovrel {

// What one call of an exported function tells whoever listens: the call, its answer, why a
// negative answer is negative, and what a lookup considered.
struct CallReport {
  WideText name;
  // Each argument as the log shows it: a text in quotes, a number as it is.
  std::vector<WideText> arguments;
  // The answer as the caller got it, shown as an argument is.
  WideText answer;
  Reasons reasons;
  std::vector<WideText> explanation;
};

// The lines an installer's log gets for a call: "Tovrel: Name('a', 1) = 'answer'", then each
// reason and each line of the explanation, indented below it. No line holds a line break.
[[nodiscard]] std::vector<WideText> LogLines(const CallReport& report);

}  // namespace tovrel
