#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "text/Text.h"

namespace tovrel {

// What a reason says of the answer it explains.
enum class ReasonKind : std::uint8_t {
  kUnusableInput,  // a file or folder given cannot be used as it is
  kNegative,       // the inputs were usable and the answer is the negative one
  kNote,           // the answer stands, with something worth knowing about it
};

// One reason, in one line of text.
struct Reason {
  ReasonKind kind = ReasonKind::kNegative;
  WideText text;
};

using Reasons = std::vector<Reason>;

// A name or a value as the reasons show it: in single quotes.
[[nodiscard]] WideText Quoted(WideView text);

}  // namespace tovrel
