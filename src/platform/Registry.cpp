#include "platform/Registry.h"

#include <utility>

namespace tovrel {

RegistryError::RegistryError(WideText message)
    : std::runtime_error(NarrowAscii(message)), message_(std::move(message)) {}

}  // namespace tovrel
