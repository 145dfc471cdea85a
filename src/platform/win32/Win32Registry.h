#pragma once

#include "platform/Registry.h"

namespace tovrel::win32 {

// The Windows registry through advapi32. Keys are opened for reading only; the 64-bit build
// reads the 32-bit view, so that both builds see the keys the shipped 32-bit library sees.
class Win32Registry final : public Registry {
 public:
  [[nodiscard]] std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root,
                                                     WideView path) const override;
};

}  // namespace tovrel::win32
