#pragma once

#include <cstdint>
#include <optional>

#include "config/ConfigSources.h"

namespace tovrel {

// ReadIniInt's default when the caller gives none; a value that does not convert then reads -1.
inline constexpr std::int32_t kNoIniIntDefault = -111000;

// The text of a profile value after the bracket rule, a protected one deciphered (RC4 under the
// profile passphrase). A missing file, section or key reads as Default, which also goes through
// the bracket rule. An empty FileName means the default settings file.
WideText ReadIniValue(const ConfigSources& sources, WideView section, WideView key,
                      WideView default_value = {}, WideView file_name = {});

// A profile value as a 32-bit integer (see ParseInteger); Default when it is missing or does not
// convert, or -1 when Default is kNoIniIntDefault. The bracket rule does not apply.
std::int32_t ReadIniInt(const ConfigSources& sources, WideView section, WideView key,
                        std::int32_t default_value = kNoIniIntDefault, WideView file_name = {});

}  // namespace tovrel
