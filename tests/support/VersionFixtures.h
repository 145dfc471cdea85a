#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel::test {

// The two architectures every version fixture is built for.
const std::vector<std::string>& FixtureArchitectures();

// The executable built from tests/fixtures/versions/<name>.rc for the architecture ("none" has no
// version resource), as a path this platform's library takes.
std::filesystem::path VersionFixture(std::string_view name, std::string_view architecture);

}  // namespace tovrel::test
