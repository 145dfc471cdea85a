#include <gtest/gtest.h>

#include "config/DefaultIniFile.h"
#include "config/ProfileValues.h"
#include "fileutil/IntegerText.h"

namespace tovrel {
namespace {

TEST(ParseInteger, AcceptsSignedDecimalAndPrefixedHexadecimal) {
  EXPECT_EQ(ParseInteger(u"0"), 0);
  EXPECT_EQ(ParseInteger(u"+12"), 12);
  EXPECT_EQ(ParseInteger(u"  -12"), -12);
  EXPECT_EQ(ParseInteger(u"2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger(u"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger(u"$7fffffff"), 2147483647);
  EXPECT_EQ(ParseInteger(u"0X80000000"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger(u"x1"), 1);
  EXPECT_EQ(ParseInteger(u"000000000000000000042"), 42);
}

TEST(ParseInteger, RefusesEverythingElse) {
  for (const WideText text :
       {u"", u" ", u"-", u"+", u"$", u"0x", u"12 ", u"12a", u"1.5", u"\t1", u"2147483648",
        u"-2147483649", u"$100000000", u"--1", u"0x-1", u"\uFF11", u"1e3", u"$g"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << NarrowAscii(text);
  }
}

TEST(DefaultIniFile, BesideTheExecutableInItsShortDirectory) {
  EXPECT_EQ(DefaultIniFileFor(u"D:\\Kit\\setup.exe", u"D:\\Kit\\setup.exe"), u"D:\\Kit\\setup.ini");
  EXPECT_EQ(DefaultIniFileFor(u"C:\\Program Files\\Setup Kit\\setup.exe",
                              u"C:\\PROGRA~1\\SETUPK~1\\setup.exe"),
            u"C:\\PROGRA~1\\SETUPK~1\\setup.ini");
  EXPECT_EQ(DefaultIniFileFor(u"C:\\Program Files\\Setup Kit\\long name.exe",
                              u"C:\\PROGRA~1\\SETUPK~1\\LONGNA~1.EXE"),
            u"C:\\PROGRA~1\\SETUPK~1\\long name.ini");
}

TEST(DefaultIniFile, OnlyTheExactLowerCaseExtensionIsReplaced) {
  EXPECT_EQ(DefaultIniFileFor(u"D:\\Kit\\SETUP.EXE", u"D:\\Kit\\SETUP.EXE"), u"D:\\Kit\\SETUP.EXE");
  EXPECT_EQ(DefaultIniFileFor(u"D:\\Kit\\a.exe.exe", u"D:\\Kit\\AEXE~1.EXE"),
            u"D:\\Kit\\a.ini.ini");
  EXPECT_EQ(DefaultIniFileFor(u"D:\\Kit\\setup.tmp", u"D:\\Kit\\setup.tmp"), u"D:\\Kit\\setup.tmp");
  EXPECT_EQ(DefaultIniFileFor(u"D:setup.exe", u"D:setup.exe"), u"D:setup.ini");
}

TEST(DefaultIniFile, WithoutAShortFormTheFileNameStandsAlone) {
  EXPECT_EQ(DefaultIniFileFor(u"D:\\Kit\\setup.exe", std::nullopt), u"setup.ini");
  EXPECT_EQ(DefaultIniFileFor(u"", std::nullopt), u"");
}

}  // namespace
}  // namespace tovrel
