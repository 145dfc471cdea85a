#include "support/VersionFixtures.h"

namespace tovrel::test {

const std::vector<std::string>& FixtureArchitectures() {
  static const std::vector<std::string> architectures{"i686", "x86_64"};
  return architectures;
}

std::filesystem::path VersionFixture(std::string_view name, std::string_view architecture) {
  std::filesystem::path file = std::filesystem::path(TOVREL_VERSION_FIXTURES) /
                               (std::string(name) + "-" + std::string(architecture) + ".exe");
  return file.make_preferred();
}

}  // namespace tovrel::test
