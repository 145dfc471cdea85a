#pragma once

#include <string_view>

#include "text/Text.h"

namespace tovrel {

// The start of the name of a temporary file that a save of the named file writes beside it:
// "~tovrel-", eight hexadecimal digits drawn from the file's name (without regard to case) and
// "-". The backend adds a part unique to the save and kTemporarySuffix. The name stays short
// whatever the length of the file's name, and a later save of the same file recognises the
// temporaries that a killed save left behind.
WideText TemporaryNamePrefix(WideView file_name);

inline constexpr std::u16string_view kTemporarySuffix = u".tmp";

// The end of a temporary's name once it is written in full, flushed and closed, where a save
// puts it in place with a step that can fail half way (Windows' ReplaceFileW): the name tells
// a later save that it may take this temporary back as the file.
inline constexpr std::u16string_view kWholeTemporarySuffix = u"-whole.tmp";

}  // namespace tovrel
