#include <gtest/gtest.h>

#include <string>

#include "fileutil/VersionInfo.h"
#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/VersionFixtures.h"

namespace tovrel {
namespace {

// Each fixture is read in its 32-bit and its 64-bit build; both must give the same answers.
class VersionInfoTest : public testing::TestWithParam<std::string> {
 protected:
  [[nodiscard]] WideText Fixture(std::string_view name) const {
    return test::LibraryPath(test::VersionFixture(name, GetParam()));
  }
  [[nodiscard]] WideText Item(std::string_view name, WideView item) const {
    return GetVersionInfoItem(*platform_.versions, Fixture(name), item);
  }
  [[nodiscard]] std::int32_t Number(std::string_view name, bool with_release) const {
    return GetFileVersionNumber(*platform_.versions, Fixture(name), with_release);
  }

  Platform platform_ = MakePlatform();
};

TEST_P(VersionInfoTest, BlocksAreTriedPolishThenEnglishThenNeutral) {
  EXPECT_EQ(Item("languages", u"FileVersion"), u"9.30.1.71");
  EXPECT_EQ(Item("english", u"FileVersion"), u"8.0.0.0");
  EXPECT_EQ(Item("neutral", u"FileVersion"), u"7.5.2.0");
}

TEST_P(VersionInfoTest, AnItemMissingFromOneBlockIsLookedForInTheNext) {
  EXPECT_EQ(Item("languages", u"ProductName"), u"Velmora");
  EXPECT_EQ(Item("languages", u"InternalName"), u"neutral");
  EXPECT_EQ(Item("languages", u"CompanyName"), u"Zak\u0142ad \u0106ma");
  EXPECT_EQ(Item("languages", u"Comments"), u"");
  // Item names compare without regard to case, as the platform's query does.
  EXPECT_EQ(Item("languages", u"fileVERSION"), u"9.30.1.71");
}

TEST_P(VersionInfoTest, OtherBlocksAreNotLookedAt) {
  EXPECT_EQ(Item("languages", u"OriginalFilename"), u"");
  EXPECT_EQ(Item("unicode", u"FileVersion"), u"");
  EXPECT_EQ(Item("languages", u"NoSuchItem"), u"");
}

// Of an image's several version resources, the language-neutral one is read, before the US
// English one, whatever their order in the image.
TEST_P(VersionInfoTest, TheNeutralResourceIsReadBeforeTheEnglishOne) {
  EXPECT_EQ(Item("two_resources", u"FileVersion"), u"1.10.0.0");
  EXPECT_EQ(Number("two_resources", false), 110);
}

TEST_P(VersionInfoTest, FileVersionNumberComesFromTheBinaryVersion) {
  // 9.130.2.7: the minor carries, and the number differs from the "FileVersion" text.
  EXPECT_EQ(Number("languages", false), 1030);
  EXPECT_EQ(Number("languages", true), 103002);
  // 1.2.3.4: the release is 3, the build 4 is not used.
  EXPECT_EQ(Number("english", false), 102);
  EXPECT_EQ(Number("english", true), 10203);
  EXPECT_EQ(Number("neutral", true), 0);
  // Every word 65535: the words are unsigned.
  EXPECT_EQ(Number("unicode", false), 6619035);
  EXPECT_EQ(Number("unicode", true), 661969035);
}

TEST_P(VersionInfoTest, NoResourceOrNoFileGivesNothing) {
  EXPECT_EQ(Item("none", u"FileVersion"), u"");
  EXPECT_EQ(Number("none", true), 0);
  EXPECT_EQ(GetVersionInfoItem(*platform_.versions, Fixture("missing"), u"FileVersion"), u"");
  EXPECT_EQ(GetFileVersionNumber(*platform_.versions, Fixture("missing"), true), 0);
  EXPECT_EQ(GetVersionInfoItem(*platform_.versions, u"", u"FileVersion"), u"");
}

TEST_P(VersionInfoTest, CutOrForeignFilesGiveNothing) {
  const test::TempDir dir;
  const std::string image = test::ReadBytes(test::VersionFixture("languages", GetParam()));
  ASSERT_GT(image.size(), 1024u);
  // Cut inside the headers, and where the sections begin, before the resources.
  for (const std::size_t length : {std::size_t{0}, std::size_t{100}, std::size_t{1024}}) {
    const WideText cut = test::LibraryPath(dir.Write("cut.exe", image.substr(0, length)));
    EXPECT_EQ(GetVersionInfoItem(*platform_.versions, cut, u"FileVersion"), u"") << length;
    EXPECT_EQ(GetFileVersionNumber(*platform_.versions, cut, true), 0) << length;
  }
  const WideText text = test::LibraryPath(dir.Write("text.exe", "MZ but not an image"));
  EXPECT_EQ(GetVersionInfoItem(*platform_.versions, text, u"FileVersion"), u"");
  EXPECT_EQ(GetVersionInfoItem(*platform_.versions, test::LibraryPath(dir.path()), u"FileVersion"),
            u"");
}

INSTANTIATE_TEST_SUITE_P(Images, VersionInfoTest, testing::ValuesIn(test::FixtureArchitectures()));

}  // namespace
}  // namespace tovrel
