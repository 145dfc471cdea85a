#include <gtest/gtest.h>

#include "detect/OfficeGenerations.h"
#include "detect/PatternSearch.h"
#include "fileutil/DirectoryPart.h"

namespace tovrel {
namespace {

TEST(OfficePatterns, MatchOnlyUpperCaseCodesOfTheirGeneration) {
  const WideView pattern_2010 = kOfficeGenerations[4].product_pattern;
  EXPECT_TRUE(PatternFound(pattern_2010, u"{90140000-0011-0000-0000-0000000FF1CE}"));
  EXPECT_TRUE(PatternFound(pattern_2010, u"{91140000-008B-0000-1000-0000000FF1CE}"));
  EXPECT_FALSE(PatternFound(pattern_2010, u"{90140000-0011-0000-0000-0000000ff1ce}"));
  EXPECT_FALSE(PatternFound(pattern_2010, u"{90140000-0015-0000-0000-0000000FF1CE}"));
  EXPECT_FALSE(PatternFound(kOfficeGenerations[3].product_pattern,
                            u"{90140000-0011-0000-0000-0000000FF1CE}"));
  EXPECT_TRUE(PatternFound(kOfficeGenerations[0].product_pattern,
                           u"{00030409-78E1-11D2-B60F-006097C998E7}"));
}

TEST(OfficePatterns, AreSearchesNotWholeMatches) {
  EXPECT_TRUE(PatternFound(u"excel", u"c:\\office\\excel.exe"));
  EXPECT_TRUE(PatternFound(kOfficeGenerations[4].product_pattern,
                           u"x{90140000-0011-0000-0000-0000000FF1CE}y"));
}

TEST(DirectoryPart, KeepsADriveRootsBackslash) {
  EXPECT_EQ(DirectoryPart(u"C:\\Program Files\\P\u0142atnik\\p2.exe"),
            u"C:\\Program Files\\P\u0142atnik");
  EXPECT_EQ(DirectoryPart(u"C:\\p2.exe"), u"C:\\");
  EXPECT_EQ(DirectoryPart(u"C:p2.exe"), u"C:");
  EXPECT_EQ(DirectoryPart(u"p2.exe"), u"");
  EXPECT_EQ(DirectoryPart(u""), u"");
  EXPECT_EQ(DirectoryPart(u"C:\\Dir\\"), u"C:\\Dir");
  EXPECT_EQ(DirectoryPart(u"\\p2.exe"), u"\\");
  EXPECT_EQ(DirectoryPart(u"\\\\server\\p2.exe"), u"\\\\server");
  EXPECT_EQ(DirectoryPart(u"\\\\p2.exe"), u"\\\\");
}

}  // namespace
}  // namespace tovrel
