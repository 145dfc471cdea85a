#pragma once

#include <optional>

#include "platform/FileSystem.h"
#include "reasons/Reason.h"

namespace tovrel {

// Why a file cannot be read as a settings file or an executable: no name, missing, a directory,
// no regular file, empty; nothing when it is a file with bytes in it.
[[nodiscard]] std::optional<Reason> UnreadableFileReason(const FileSystem& files, WideView file);

// Why a file would not be replaced: read-only; nothing otherwise.
[[nodiscard]] std::optional<Reason> UnwritableFileReason(const FileSystem& files, WideView file);

}  // namespace tovrel
