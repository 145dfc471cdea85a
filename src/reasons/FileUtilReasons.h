#pragma once

#include "platform/FileSystem.h"
#include "reasons/Reason.h"

namespace tovrel {

// Why QueryVersionInfo answered an empty text.
[[nodiscard]] Reasons QueryVersionInfoReasons(const FileSystem& files, WideView file);

// Why QueryNumFromInfo answered 0.
[[nodiscard]] Reasons QueryNumFromInfoReasons(WideView version_text);

// Why IsDirectoryEmpty answered 0.
[[nodiscard]] Reasons IsDirectoryEmptyReasons(const FileSystem& files, WideView directory);

}  // namespace tovrel
