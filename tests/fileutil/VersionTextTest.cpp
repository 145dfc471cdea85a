#include <gtest/gtest.h>

#include <cstdint>

#include "fileutil/IntegerText.h"
#include "fileutil/VersionText.h"

namespace tovrel {
namespace {

struct Packed {
  WideView text;
  std::int32_t without_release;
  std::int32_t with_release;
  WideView display;
  WideView display_with_release;
};

TEST(VersionText, FieldsCountOnlyWhenADotFollows) {
  const Packed cases[] = {
      {u"9.30.1.71", 930, 93001, u"9.30", u"9.30a"},
      {u"9.5.2.0", 905, 90502, u"9.05", u"9.05b"},
      {u"9.30.1", 930, 93000, u"9.30", u"9.30"},
      {u"9.30", 900, 900, u"9", u"9"},
      {u"9", 0, 0, u"", u""},
      {u"", 0, 0, u"", u""},
      {u"9, 30, 1, 71", 0, 0, u"", u""},
      {u"09.7.3.", 907, 90703, u"09.07", u"09.07c"},
  };
  for (const Packed& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(VersionTextToNumber(c.text, false), c.without_release);
    EXPECT_EQ(VersionTextToNumber(c.text, true), c.with_release);
    EXPECT_EQ(FormatVersionText(c.text, false), c.display);
    EXPECT_EQ(FormatVersionText(c.text, true), c.display_with_release);
  }
}

TEST(VersionText, LargeFieldsCarryIntoTheFieldBefore) {
  EXPECT_EQ(VersionTextToNumber(u"9.130.0.0", false), 1030);
  EXPECT_EQ(VersionTextToNumber(u"9.30.250.0", true), 93250);
  EXPECT_EQ(FormatVersionText(u"9.130.0.0", false), u"9.130");
  // The packed number wraps at 32 bits rather than failing.
  EXPECT_EQ(VersionTextToNumber(u"2147483647.0.", false), static_cast<std::int32_t>(-100));
}

TEST(VersionText, ReleaseLetterIsTheCharacterOfReleasePlus96) {
  EXPECT_EQ(FormatVersionText(u"10.1.0.3", true), WideText(u"10.01") + u'\u0060');
  EXPECT_EQ(FormatVersionText(u"10.1.26.3", true), u"10.01z");
  EXPECT_EQ(FormatVersionText(u"10.1.-96.3", true), WideText(u"10.01") + u'\0');
  EXPECT_EQ(FormatVersionText(u"10.1.65440.3", true), WideText(u"10.01") + u'\0');
  EXPECT_EQ(FormatVersionText(u"10.-5.1.", false), u"10.-05");
}

TEST(VersionText, FieldsConvertLikeIntegerTexts) {
  EXPECT_EQ(VersionTextToNumber(u" 9.$1E.x2.", true), 93002);
  EXPECT_EQ(VersionTextToNumber(u"+9.0X1e.-1.", true), 92999);
  EXPECT_EQ(FormatVersionText(u"9.0x1E.", false), u"9.30");
  // Unused fields are never converted.
  EXPECT_EQ(VersionTextToNumber(u"9.30.junk.", false), 930);
  EXPECT_EQ(FormatVersionText(u"junk.30.junk", true), u"junk.30");
}

TEST(VersionText, AFieldThatIsNotAnIntegerRaisesTheConversionError) {
  try {
    static_cast<void>(VersionTextToNumber(u"9..1.", false));
    FAIL() << "the empty minor converted";
  } catch (const EConversionError& error) {
    EXPECT_EQ(error.Message(), u"'''' is not a valid integer value");
  }
  try {
    static_cast<void>(FormatVersionText(u"9.3b.1.", false));
    FAIL() << "3b converted";
  } catch (const EConversionError& error) {
    EXPECT_EQ(error.Message(), u"''3b'' is not a valid integer value");
    EXPECT_STREQ(error.what(), "''3b'' is not a valid integer value");
  }
  EXPECT_THROW(static_cast<void>(VersionTextToNumber(u"9.30.1a.", true)), EConversionError);
  EXPECT_THROW(static_cast<void>(FormatVersionText(u"9.30.1a.", true)), EConversionError);
}

TEST(IntegerText, AcceptsExactlyThe32BitSignedRange) {
  EXPECT_EQ(IntegerFromText(u"2147483647"), 2147483647);
  EXPECT_EQ(IntegerFromText(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(IntegerFromText(u"$7FFFFFFF"), 2147483647);
  EXPECT_EQ(IntegerFromText(u"$80000000"), INT32_MIN);
  EXPECT_EQ(IntegerFromText(u"  -0x10"), -16);
  EXPECT_EQ(IntegerFromText(u"007"), 7);
  for (const WideView bad : {u"2147483648", u"-2147483649", u"99999999999999999999", u"", u" ",
                             u"-", u"$", u"0x", u"1 ", u"1.5", u"\u0661", u"x-1"}) {
    EXPECT_THROW(static_cast<void>(IntegerFromText(bad)), EConversionError)
        << std::string(bad.begin(), bad.end());
  }
}

}  // namespace
}  // namespace tovrel
