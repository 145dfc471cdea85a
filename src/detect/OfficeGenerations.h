#pragma once

#include <array>

#include "text/Text.h"

namespace tovrel {

// One Office generation: a pattern that its product codes match and the component code of its
// Excel program.
struct OfficeGeneration {
  WideView product_pattern;
  WideView excel_component;
};

// Indexed 0 (oldest) to 4 (newest); searches walk it from 4 down.
extern const std::array<OfficeGeneration, 5> kOfficeGenerations;

}  // namespace tovrel
