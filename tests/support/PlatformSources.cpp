#include "support/PlatformSources.h"

namespace tovrel::test {

ConfigSources ConfigSourcesOf(const Platform& platform) {
  return ConfigSources{*platform.code_page, *platform.profiles, *platform.registry,
                       *platform.crypto, WideView()};
}

DetectionSources DetectionSourcesOf(const Platform& platform) {
  return DetectionSources{*platform.installer, ConfigSourcesOf(platform), *platform.files,
                          *platform.versions, *platform.messages};
}

}  // namespace tovrel::test
