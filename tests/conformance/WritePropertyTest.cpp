#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/WriteProperty.h"

namespace tovrel {
namespace {

// Random settings files, paths and values against the promises of a write. Bounded, so that it
// runs in every suite (the fuzz target write_property_fuzz runs it for longer); seeded, so that
// a failure names its case.
TEST(WriteProperties, HoldForRandomFilesPathsAndValues) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("s.xml", "");
  int written = 0;
  constexpr std::uint32_t kCases = 400;
  for (std::uint32_t seed = 1; seed <= kCases; ++seed) {
    std::mt19937 random(seed);
    const test::RandomWrite write(
        [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); });
    bool answered_one = false;
    EXPECT_EQ(
        test::BrokenWritePromise(platform, file, test::LibraryPath(file), write, answered_one), "")
        << "seed " << seed << ": " << write.document << " | " << write.path << " | " << write.value;
    written += answered_one ? 1 : 0;
  }
  EXPECT_GT(written, static_cast<int>(kCases) / 2) << "the cases exercise writes";
}

}  // namespace
}  // namespace tovrel
