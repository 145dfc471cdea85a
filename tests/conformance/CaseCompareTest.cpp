#include <gtest/gtest.h>

#include "detect/InstalledAppsList.h"
#include "text/Text.h"

namespace tovrel {
namespace {

struct CasePair {
  WideView a;
  WideView b;
  bool equal;
};

// Twins in the cased alphabets a Windows machine's names are written in, and names that only
// look alike.
constexpr CasePair kPairs[] = {
    {u"Velmora", u"VELMORA", true},
    {u"Łódź Żółć", u"łÓDŹ żÓŁĆ", true},
    {u"D:\\Прог\\Velmora", u"D:\\ПРОГ\\Velmora", true},
    {u"Ёлка", u"ёЛКА", true},
    {u"ΣΟΦΙΑ", u"σοφια", true},
    {u"Ωμέγα", u"ΩΜΈΓΑ", true},
    {u"Прог", u"Прог2", false},
    {u"Прог", u"Прок", false},
    {u"Ζ", u"ζ2", false},
    {u"a", u"à", false},
};

TEST(CaseCompare, TwinsOfEveryCasedAlphabetCompareEqual) {
  for (const CasePair& pair : kPairs) {
    const std::string shown = NarrowAscii(pair.a) + " / " + NarrowAscii(pair.b);
    EXPECT_EQ(EqualsIgnoreCase(pair.a, pair.b), pair.equal) << shown;
    EXPECT_EQ(EqualsIgnoreCaseInUserLocale(pair.a, pair.b), pair.equal) << shown;
    EXPECT_EQ(CompareIgnoreCase(pair.a, pair.b) == 0, pair.equal) << shown;
    EXPECT_EQ(CompareIgnoreCase(pair.a, pair.b), -CompareIgnoreCase(pair.b, pair.a)) << shown;
  }
}

TEST(CaseCompare, NamesSortByTheirUpperCaseForms) {
  EXPECT_LT(CompareIgnoreCase(u"ab", u"AC"), 0);
  EXPECT_LT(CompareIgnoreCase(u"AB", u"a_b"), 0);
  EXPECT_LT(CompareIgnoreCase(u"Прог", u"прог2"), 0);
  EXPECT_GT(CompareIgnoreCase(u"ω", u"Α"), 0);
}

TEST(CaseCompare, TheReportListsADirectoryOnceWhateverItsCase) {
  InstalledAppsList list;
  list.Add(u"D:\\Прог\\Velmora", u"Velmora 9.21");
  EXPECT_TRUE(list.HasName(u"D:\\ПРОГ\\Velmora"));
  EXPECT_TRUE(list.HasName(u"d:\\прог\\VELMORA"));
  EXPECT_FALSE(list.HasName(u"D:\\Прог\\Astrelo"));
}

}  // namespace
}  // namespace tovrel
