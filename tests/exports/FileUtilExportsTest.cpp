#include <gtest/gtest.h>

#include <filesystem>

#include "Tovrel.h"
#include "support/TestFiles.h"
#include "support/VersionFixtures.h"

namespace tovrel {
namespace {

TEST(FileUtilExports, QueryVersionInfoGivesTheFileVersionText) {
  EXPECT_STREQ(QueryVersionInfo(test::HostPath(test::VersionFixture("languages", "i686")).c_str()),
               "9.30.1.71");
  EXPECT_STREQ(QueryVersionInfo(test::HostPath(test::VersionFixture("none", "x86_64")).c_str()),
               "");
  EXPECT_STREQ(QueryVersionInfo(nullptr), "");
}

TEST(FileUtilExports, QueryNumFromInfoReadsOnlyTheFlagsLowByte) {
  EXPECT_EQ(QueryNumFromInfo("9.30.1.71", 0), 930);
  EXPECT_EQ(QueryNumFromInfo("9.30.1.71", 1), 93001);
  EXPECT_EQ(QueryNumFromInfo("9.30.1.71", 255), 93001);
  EXPECT_EQ(QueryNumFromInfo("9.30.1.71", 256), 930);
  EXPECT_EQ(QueryNumFromInfo(nullptr, 1), 0);
}

TEST(FileUtilExports, QueryNumFromInfoGivesZeroForAFieldThatIsNotAnInteger) {
  EXPECT_EQ(QueryNumFromInfo("9..1.", 0), 0);
  EXPECT_EQ(QueryNumFromInfo("9.3b.1.", 1), 0);
}

TEST(FileUtilExports, IsDirectoryEmptyGivesTheThreeCodes) {
  const test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "empty");
  EXPECT_EQ(IsDirectoryEmpty(test::HostPath(dir.path() / "empty").c_str()), 1);
  EXPECT_EQ(IsDirectoryEmpty(test::HostPath(dir.path()).c_str()), 2);
  EXPECT_EQ(IsDirectoryEmpty(test::HostPath(dir.Write("a.txt", "x")).c_str()), 0);
  EXPECT_EQ(IsDirectoryEmpty(nullptr), 0);
}

}  // namespace
}  // namespace tovrel
