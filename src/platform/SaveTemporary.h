#pragma once

#include <string_view>

#include "platform/Text.h"

namespace tovrel {

// The start of the name of a temporary file that a save of the named file writes beside it:
// "~tovrel-", eight hexadecimal digits drawn from the file's name (without regard to case) and
// "-". The backend adds a part unique to the save and kTemporarySuffix. The name stays short
// whatever the length of the file's name, and a later save of the same file recognises the
// temporaries that a killed save left behind.
WideText TemporaryNamePrefix(WideView file_name);

inline constexpr std::u16string_view kTemporarySuffix = u".tmp";

}  // namespace tovrel
