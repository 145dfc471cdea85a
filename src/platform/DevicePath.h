#pragma once

#include "text/Text.h"

namespace tovrel {

// Whether a Windows path names a device rather than a file: the device namespace ("\\.\",
// "\\?\GLOBALROOT", "\??\"), a named pipe or mailslot (local or on a server), or a reserved DOS
// device name such as "CON", "NUL", "COM1" or "LPT1" as the last component, with or without an
// extension. Such a path is refused before anything opens it: opening a pipe takes one of its
// server's instances, and reading a device may never end.
[[nodiscard]] bool NamesDevice(WideView path);

}  // namespace tovrel
