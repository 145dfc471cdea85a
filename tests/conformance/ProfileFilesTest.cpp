#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

namespace tovrel {
namespace {

constexpr char kSettings[] =
    "; Velmora=commented out\r\n"
    "[Paths]\r\n"
    "  Dir =  C:\\Velmora  \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Half=\"abc\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "Empty=\r\n"
    "[Other]\r\n"
    "Key=other\r\n"
    "[paths]\r\n"
    "Late=never read\r\n";

class ProfileFiles : public testing::Test {
 protected:
  WideText Read(const std::filesystem::path& file, WideView section, WideView key,
                WideView default_value = u"") const {
    return platform_.profiles->ReadProfileString(test::LibraryPath(file), section, key,
                                                 default_value);
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

TEST_F(ProfileFiles, SectionsAndKeysMatchWithoutCaseAndTheFirstWins) {
  const auto file = dir_.Write("settings.ini", kSettings);
  EXPECT_EQ(Read(file, u"PATHS", u"dir"), u"C:\\Velmora");
  EXPECT_EQ(Read(file, u"Paths", u"DUP"), u"first");
  EXPECT_EQ(Read(file, u"other", u"key"), u"other");
  EXPECT_EQ(Read(file, u"Paths", u"Late", u"dflt"), u"dflt");
}

TEST_F(ProfileFiles, OnePairOfEnclosingQuotesIsRemoved) {
  const auto file = dir_.Write("settings.ini", kSettings);
  EXPECT_EQ(Read(file, u"Paths", u"Quoted"), u"  spaced  ");
  EXPECT_EQ(Read(file, u"Paths", u"Single"), u"x");
  EXPECT_EQ(Read(file, u"Paths", u"Half"), u"\"abc");
}

TEST_F(ProfileFiles, MissingPiecesGiveTheDefaultWithoutTrailingSpaces) {
  const auto file = dir_.Write("settings.ini", kSettings);
  EXPECT_EQ(Read(file, u"Paths", u"Empty", u"dflt"), u"");
  EXPECT_EQ(Read(file, u"Paths", u"Missing", u"dflt  "), u"dflt");
  EXPECT_EQ(Read(file, u"Missing", u"Dir", u"<x>"), u"<x>");
  EXPECT_EQ(Read(file, u"", u"Velmora", u"none"), u"none");
  EXPECT_EQ(Read(dir_.path() / "missing.ini", u"Paths", u"Dir", u"dflt"), u"dflt");
}

TEST_F(ProfileFiles, LongValuesComeBackWhole) {
  for (const std::size_t length : {253, 254, 255, 256, 300, 509, 510, 511, 5000}) {
    std::string value(length, 'v');
    value.front() = '(';
    value.back() = ')';
    const auto file = dir_.Write("long" + std::to_string(length) + ".ini", "[S]\r\nK=" + value);
    EXPECT_EQ(Read(file, u"S", u"K"), WidenAscii(value)) << length;
  }
}

TEST_F(ProfileFiles, Utf16AndAnsiFilesAreDecoded) {
  const auto unicode =
      dir_.Write("unicode.ini", test::Utf16File(u"[Ścieżki]\r\nKatalog=C:\\Płatnik\r\n"));
  EXPECT_EQ(Read(unicode, u"Ścieżki", u"Katalog"), u"C:\\Płatnik");
  // Wine folds only ASCII letters in profile names; Windows folds the Polish ones as well.
  if (!test::RunningUnderWine()) {
    EXPECT_EQ(Read(unicode, u"ścieżki", u"katalog"), u"C:\\Płatnik");
  }
  const auto ansi = dir_.Write("ansi.ini", "[S]\r\nK=Caf\xE9\r\n");
  EXPECT_EQ(Read(ansi, u"S", u"K"), platform_.code_page->ToWide("Caf\xE9"));
}

}  // namespace
}  // namespace tovrel
