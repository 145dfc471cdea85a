#pragma once

#include <cstdint>

#include "platform/VersionResources.h"

namespace tovrel {

// The text of a string item ("FileVersion") of a file's version resource, from the first of the
// language blocks Polish 1250, US English 1252 and language-neutral 1252 that has it. Empty
// when the file is missing, has no version resource or none of those blocks has the item.
WideText GetVersionInfoItem(const VersionResources& versions, WideView file_name,
                            WideView item_name);

// The binary file version of a file's version resource, packed as major × 100 + minor, or with
// the release major × 10000 + minor × 100 + release. It is independent of the "FileVersion"
// text. 0 when the file is missing or has no version resource or no fixed information.
std::int32_t GetFileVersionNumber(const VersionResources& versions, WideView file_name,
                                  bool with_release);

}  // namespace tovrel
