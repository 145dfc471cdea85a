#pragma once

#include "config/ConfigSources.h"
#include "detect/TMSI.h"
#include "platform/Platform.h"

namespace tovrel::test {

// The readers' and the lookups' sources over a platform, with no default settings file.
ConfigSources ConfigSourcesOf(const Platform& platform);
DetectionSources DetectionSourcesOf(const Platform& platform);

}  // namespace tovrel::test
