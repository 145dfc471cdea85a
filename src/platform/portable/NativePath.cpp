#include "platform/portable/NativePath.h"

#include "platform/portable/Utf8.h"

namespace tovrel::portable {

std::string NativePath(WideView path) {
  return ToUtf8(path);
}

}  // namespace tovrel::portable
