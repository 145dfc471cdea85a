#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ProtectedPayloads.h"
#include "config/ProfileValues.h"
#include "config/ProtectedText.h"
#include "config/RegistryValues.h"
#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

namespace tovrel {
namespace {

using test::ProtectedPayload;

// The plaintext as the readers give it: in UTF-16, through the ANSI code page.
WideText Plain(const Platform& platform, const ProtectedPayload& payload) {
  return platform.code_page->ToWide(payload.plain);
}

WideText TrimmedPlain(const Platform& platform, const ProtectedPayload& payload) {
  WideText text = Plain(platform, payload);
  while (!text.empty() && text.back() <= u' ') text.pop_back();
  return text;
}

std::string Protected(const ProtectedPayload& payload) {
  return "(" + std::string(payload.payload) + ")";
}

class ConfigReaders : public testing::Test {
 protected:
  ConfigSources Sources(WideView default_ini_file = {}) const {
    return ConfigSources{*platform_.code_page, *platform_.profiles, *platform_.registry,
                         *platform_.crypto, default_ini_file};
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

class IniValues : public ConfigReaders {
 protected:
  void SetUp() override {
    const std::string settings =
        "[Velmora]\r\n"
        "Path=" +
        Protected(test::kRc4Path) +
        "\r\n"
        "Version=" +
        Protected(test::kRc4TrailingBlanks) +
        "\r\n"
        "Name=" +
        Protected(test::kRc4Accented) +
        "\r\n"
        "Long=" +
        Protected(test::kRc4Long) +
        "\r\n"
        "Angles=<abc>\r\n"
        "Bare=abc\r\n"
        "EmptyParens=()\r\n"
        "EmptyAngles=<>\r\n"
        "ShortPayload=(abc)\r\n"
        "MixedOpen=(abc>\r\n"
        "MixedClose=<abc)\r\n"
        "Single=(\r\n"
        "[Numbers]\r\n"
        "Plain=42\r\n"
        "Negative=-5\r\n"
        "Spaced=   7\r\n"
        "Dollar=$1F\r\n"
        "Ox=0x10\r\n"
        "X=X10\r\n"
        "SignedHex=-$10\r\n"
        "AllBits=$FFFFFFFF\r\n"
        "Lowest=-2147483648\r\n"
        "TooBig=2147483648\r\n"
        "Letters=12ab\r\n"
        "TrailingSpace=\"7 \"\r\n"
        "Empty=\r\n"
        "Protected=" +
        Protected(test::kRc4Path) + "\r\n";
    file_ = test::LibraryPath(dir_.Write("velmora.ini", settings));
  }

  WideText Value(WideView key, WideView default_value = {}) const {
    return ReadIniValue(Sources(), u"Velmora", key, default_value, file_);
  }
  std::int32_t Int(WideView key, std::int32_t default_value = 0) const {
    return ReadIniInt(Sources(), u"Numbers", key, default_value, file_);
  }

  WideText file_;
};

TEST_F(IniValues, ProtectedValuesDecipherWithRc4KeepingTrailingBlanks) {
  EXPECT_EQ(Value(u"Path"), Plain(platform_, test::kRc4Path));
  EXPECT_EQ(Value(u"Version"), u"Velmora 9.30   ");
  EXPECT_EQ(Value(u"Name"), Plain(platform_, test::kRc4Accented));
}

TEST_F(IniValues, ALongProtectedValueIsReadWholeAndDeciphered) {
  ASSERT_GT(Protected(test::kRc4Long).size(), 300u);
  EXPECT_EQ(Value(u"Long"), Plain(platform_, test::kRc4Long));
}

TEST_F(IniValues, BracketForms) {
  EXPECT_EQ(Value(u"Angles"), u"abc");
  EXPECT_EQ(Value(u"Bare"), u"abc");
  EXPECT_EQ(Value(u"EmptyParens"), u"");
  EXPECT_EQ(Value(u"EmptyAngles"), u"");
  EXPECT_EQ(Value(u"ShortPayload"), u"");
  EXPECT_EQ(Value(u"MixedOpen"), u"(abc>");
  EXPECT_EQ(Value(u"MixedClose"), u"<abc)");
  EXPECT_EQ(Value(u"Single"), u"(");
}

TEST_F(IniValues, TheDefaultGoesThroughTheBracketRule) {
  EXPECT_EQ(Value(u"Missing", u"<x>"), u"x");
  const WideText protected_default = WidenAscii(Protected(test::kRc4Path));
  EXPECT_EQ(Value(u"Missing", protected_default), Plain(platform_, test::kRc4Path));
  EXPECT_EQ(ReadIniValue(Sources(), u"Velmora", u"Path", u"<x>", file_ + u".missing"), u"x");
}

TEST_F(IniValues, AnEmptyFileNameMeansTheDefaultSettingsFile) {
  EXPECT_EQ(ReadIniValue(Sources(file_), u"Velmora", u"Bare"), u"abc");
  EXPECT_EQ(ReadIniInt(Sources(file_), u"Numbers", u"Plain"), 42);
}

TEST_F(IniValues, IntegersInDecimalAndHexadecimalForms) {
  EXPECT_EQ(Int(u"Plain"), 42);
  EXPECT_EQ(Int(u"Negative"), -5);
  EXPECT_EQ(Int(u"Spaced"), 7);
  EXPECT_EQ(Int(u"Dollar"), 31);
  EXPECT_EQ(Int(u"Ox"), 16);
  EXPECT_EQ(Int(u"X"), 16);
  EXPECT_EQ(Int(u"SignedHex"), -16);
  EXPECT_EQ(Int(u"AllBits"), -1);
  EXPECT_EQ(Int(u"Lowest"), std::numeric_limits<std::int32_t>::min());
}

TEST_F(IniValues, IntegersThatDoNotConvertGiveTheDefaultOrMinusOneForTheMarker) {
  for (const WideText key :
       {u"TooBig", u"Letters", u"TrailingSpace", u"Empty", u"Missing", u"Protected"}) {
    EXPECT_EQ(Int(key, 9), 9) << NarrowAscii(key);
    EXPECT_EQ(Int(key, kNoIniIntDefault), -1) << NarrowAscii(key);
  }
  EXPECT_EQ(ReadIniInt(Sources(), u"Numbers", u"Plain", 9, file_ + u".missing"), 9);
  EXPECT_EQ(ReadIniInt(Sources(), u"Numbers", u"Plain", kNoIniIntDefault, file_ + u".missing"), -1);
}

std::u16string RegText(const ProtectedPayload& payload) {
  return WidenAscii(Protected(payload));
}

class RegValues : public ConfigReaders {
 protected:
  void SetUp() override {
    const WideText keys =
        u"[-HKEY_CURRENT_USER\\Software\\TovrelConfig]\n"
        u"[HKEY_CURRENT_USER\\Software\\TovrelConfig\\Astrelo]\n"
        u"\"InstallLocation\"=\"" +
        RegText(test::kAesWholeBlocks) +
        u"\"\n"
        u"\"OneBlock\"=\"" +
        RegText(test::kAesOneBlock) +
        u"\"\n"
        u"\"Partial\"=\"" +
        RegText(test::kAesPartialBlock) +
        u"\"\n"
        u"\"Short\"=\"" +
        RegText(test::kAesShorterThanABlock) +
        u"\"\n"
        u"\"EmptyParens\"=\"()\"\n"
        u"\"Angles\"=\"<abc>\"\n"
        u"\"Empty\"=\"\"\n"
        u"\"Number\"=dword:00000001\n"
        u"[HKEY_CURRENT_USER\\Software\\TovrelConfig\\Astrelo\\AS500]\n"
        u"\"Sciezka\"=\"<C:\\\\Astrelo 5>\"\n"
        u"[HKEY_CURRENT_USER\\Software\\TovrelConfig\\Astrelo\\as400]\n"
        u"[HKEY_LOCAL_MACHINE\\Software\\TovrelConfig\\Ferrolin]\n"
        u"\"Sciezka\"=\"C:\\\\Ferrolin\"\n";
    ASSERT_TRUE(registry_.Import("config", test::UnicodeRegFile(keys)));
  }

  WideText Value(WideView path, WideView default_value = {}) const {
    return ReadRegValue(Sources(), RegistryRoot::kCurrentUser, u"Software\\TovrelConfig\\Astrelo",
                        path, default_value);
  }

  test::TestRegistry registry_;
};

TEST_F(RegValues, ProtectedValuesDecipherWithAesAndLoseTrailingBlanks) {
  EXPECT_EQ(Value(u"InstallLocation"), TrimmedPlain(platform_, test::kAesWholeBlocks));
  EXPECT_EQ(Value(u"OneBlock"), u"exactly sixteen!");
  EXPECT_EQ(Value(u"Partial"), u"C:\\Ferrolin\\fr110.exe");
  EXPECT_EQ(Value(u"Short"), u"Astrelo");
  EXPECT_EQ(Value(u"EmptyParens"), u"");
  EXPECT_EQ(Value(u"Angles"), u"abc");
}

TEST_F(RegValues, PathsNameASubkeyAndAValueOrAValueOfTheBaseKey) {
  EXPECT_EQ(Value(u"AS500\\Sciezka"), u"C:\\Astrelo 5");
  EXPECT_EQ(Value(u"as500\\sciezka"), u"C:\\Astrelo 5");
  EXPECT_EQ(ReadRegValue(Sources(), RegistryRoot::kLocalMachine, u"Software\\TovrelConfig",
                         u"Ferrolin\\Sciezka"),
            u"C:\\Ferrolin");
}

TEST_F(RegValues, MissingKeyGivesErrAndMissingOrEmptyValueGivesTheDefault) {
  EXPECT_EQ(Value(u"AS999\\Sciezka", u"<x>"), u"Err");
  EXPECT_EQ(Value(u"Missing", u"<x>"), u"x");
  EXPECT_EQ(Value(u"Empty", u"dflt"), u"dflt");
  EXPECT_EQ(Value(u"Empty"), u"");
  EXPECT_EQ(ReadRegValue(Sources(), RegistryRoot::kCurrentUser, u"Software\\TovrelConfig",
                         u"Ferrolin\\Sciezka"),
            u"Err");
}

TEST_F(RegValues, AValueThatIsNotTextRaises) {
  EXPECT_THROW(static_cast<void>(Value(u"Number")), RegistryError);
}

TEST_F(RegValues, KeyNamesOfTheBaseKeyOrItsSubkey) {
  std::vector<WideText> names{u"left over"};
  ReadRegKeyNames(Sources(), RegistryRoot::kCurrentUser, u"Software\\TovrelConfig\\Astrelo", u"",
                  names);
  EXPECT_EQ(names, (std::vector<WideText>{u"as400", u"AS500"}));
  ReadRegKeyNames(Sources(), RegistryRoot::kCurrentUser, u"Software\\TovrelConfig",
                  u"Astrelo\\ignored value name", names);
  EXPECT_EQ(names, (std::vector<WideText>{u"as400", u"AS500"}));
  ReadRegKeyNames(Sources(), RegistryRoot::kCurrentUser, u"Software\\TovrelConfig\\Missing", u"",
                  names);
  EXPECT_TRUE(names.empty());
}

TEST_F(ConfigReaders, CallersMayGiveTheirOwnAesKeyAndVectorTexts) {
  EXPECT_EQ(DecryptAesText(*platform_.crypto, *platform_.code_page, test::kAes192OtherKey.payload,
                           test::kOtherKeyText, test::kOtherVectorText),
            Plain(platform_, test::kAes192OtherKey));
  EXPECT_EQ(DecryptAesText(*platform_.crypto, *platform_.code_page, test::kAes256LongKey.payload,
                           test::kLongKeyText, test::kOtherVectorText),
            Plain(platform_, test::kAes256LongKey));
}

// A key text of up to 16 characters makes a 128-bit key, up to 24 a 192-bit one, longer a
// 256-bit one.
TEST_F(ConfigReaders, TheAesKeyGrowsPastSixteenAndTwentyFourCharacters) {
  for (const auto& [key_text, payload] : test::kAesKeyBoundaries) {
    EXPECT_EQ(DecryptAesText(*platform_.crypto, *platform_.code_page, payload, key_text,
                             test::kOtherVectorText),
              platform_.code_page->ToWide(test::kAesKeyBoundaryPlain))
        << key_text.size();
  }
}

}  // namespace
}  // namespace tovrel
