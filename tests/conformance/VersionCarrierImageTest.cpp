// A captured machine keeps each version carrier and executable as a small image around the same
// version resource. Whichever backend reads it, the copy must answer exactly as the original.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/VersionCarrierImage.h"
#include "fileutil/VersionInfo.h"
#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/VersionFixtures.h"

namespace tovrel {
namespace {

class VersionCarrierImageTest : public testing::TestWithParam<std::string> {
 protected:
  Platform platform_ = MakePlatform();
};

TEST_P(VersionCarrierImageTest, TheCopyReadsAsTheOriginal) {
  const test::TempDir dir;
  for (const std::string& architecture : test::FixtureArchitectures()) {
    SCOPED_TRACE(architecture);
    const WideText original = test::LibraryPath(test::VersionFixture(GetParam(), architecture));
    const auto info = platform_.versions->Read(original);
    ASSERT_NE(info, nullptr);
    const auto resource = info->ResourceBytes();
    const WideText copy = test::LibraryPath(dir.Write(GetParam() + "-" + architecture + ".ver",
                                                      capture::VersionCarrierImage(resource)));

    const auto copy_info = platform_.versions->Read(copy);
    ASSERT_NE(copy_info, nullptr);
    const auto copy_resource = copy_info->ResourceBytes();
    EXPECT_EQ(std::vector(copy_resource.begin(), copy_resource.end()),
              std::vector(resource.begin(), resource.end()));
    EXPECT_EQ(GetVersionInfoItem(*platform_.versions, copy, u"FileVersion"),
              GetVersionInfoItem(*platform_.versions, original, u"FileVersion"));
    EXPECT_EQ(GetFileVersionNumber(*platform_.versions, copy, true),
              GetFileVersionNumber(*platform_.versions, original, true));
  }
}

// Fixed and text versions, each language block, a text block the lookups do not read, and
// text that does not convert.
INSTANTIATE_TEST_SUITE_P(Fixtures, VersionCarrierImageTest,
                         testing::Values("languages", "english", "neutral", "unicode", "v10_3_0_7",
                                         "unreadable_text"));

}  // namespace
}  // namespace tovrel
