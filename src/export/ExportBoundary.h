#pragma once

#include <cstdint>

#include "export/Module.h"

namespace tovrel {

// Each export's body is one call on the registry (platform/Registry.h), which may then read a
// sample machine's registry files once for the whole call.

// Runs an integer export's body; any exception ends the call with 0.
template <typename Body>
std::int32_t IntegerExport(Body&& body) noexcept {
  try {
    Module& module = TheModule();
    const RegistryCall call(*module.platform().registry);
    return body(module);
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
    const RegistryCall call(*module.platform().registry);
    return module.SetResult(body(module));
  } catch (...) {
    return "";
  }
}

}  // namespace tovrel
