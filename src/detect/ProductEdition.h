#pragma once

#include <cstdint>

namespace tovrel {

// The registry editions of the maker's products, in their fixed order; callers pass the
// numbers, and any value above peFR110 stands for nothing.
enum TProductEdition : std::uint8_t {
  peVL900,
  peVL901,
  peVL910,
  peVL911,
  peVL920,
  peVL921,
  peVL930,
  peAS900,
  peAS901,
  peAS910,
  peAS911,
  peAS920,
  peAS921,
  peAS930,
  peFR101,
  peFR110,
};

}  // namespace tovrel
