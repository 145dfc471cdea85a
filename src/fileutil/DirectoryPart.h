#pragma once

#include "text/Text.h"

namespace tovrel {

// The folder of a path: the path up to its last "\" or ":", without that "\" unless it is the
// first character or follows another "\" or a ":", so that "C:\p2.exe" gives "C:\". Empty when
// the path holds neither character.
WideText DirectoryPart(WideView path);

}  // namespace tovrel
