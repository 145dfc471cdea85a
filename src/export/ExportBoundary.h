#pragma once

#include <cstdint>

#include "export/Module.h"

namespace tovrel {

// Runs an integer export's body; any exception ends the call with 0.
template <typename Body>
std::int32_t IntegerExport(Body&& body) noexcept {
  try {
    return body(TheModule());
  } catch (...) {
    return 0;
  }
}

// Runs a text export's body and stores its UTF-16 or 8-bit result as the module result string;
// any exception ends the call with the empty text.
template <typename Body>
const char* TextExport(Body&& body) noexcept {
  try {
    Module& module = TheModule();
    return module.SetResult(body(module));
  } catch (...) {
    return "";
  }
}

}  // namespace tovrel
