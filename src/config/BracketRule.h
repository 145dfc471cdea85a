#pragma once

#include "text/Text.h"

namespace tovrel {

// A stored settings text after the bracket rule: "(payload)" is protected, "<text>" is plain
// with the brackets removed, and anything else is plain as stored.
struct StoredText {
  bool is_protected = false;
  // The payload of a protected text; the plain text otherwise.
  WideText text;
};

StoredText ApplyBracketRule(WideView stored);

}  // namespace tovrel
