#include "platform/portable/pe/ByteSource.h"

#include <algorithm>

namespace tovrel::portable {

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (offset > bytes_.size() || out.size() > bytes_.size() - offset) return false;
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
  return true;
}

}  // namespace tovrel::portable
