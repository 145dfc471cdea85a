#include <gtest/gtest.h>

#include <string>

#include "config/Base64Groups.h"
#include "config/BracketRule.h"
#include "config/ProtectedText.h"
#include "config/Rc4.h"
#include "config/RegistryValues.h"

namespace tovrel {
namespace {

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (const char byte : bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    hex += kDigits[static_cast<std::uint8_t>(byte) >> 4];
    hex += kDigits[static_cast<std::uint8_t>(byte) & 15];
  }
  return hex;
}

std::string KeyOfLength(std::size_t length) {
  std::string key;
  for (std::size_t i = 1; i <= length; ++i) key.push_back(static_cast<char>(i));
  return key;
}

// RFC 6229: the keystream at offsets 0, 16 and 4096 for keys 01 02 03 ... of 40, 128 and 256 bits.
TEST(Rc4, KeystreamsOfRfc6229) {
  const struct {
    std::size_t key_length;
    std::string_view at0, at16, at4096;
  } kCases[] = {
      {5, "b2396305f03dc027ccc3524a0a1118a8", "6982944f18fc82d589c403a47a0d0919",
       "ff25b58995996707e51fbdf08b34d875"},
      {16, "9ac7cc9a609d1ef7b2932899cde41b97", "5248c4959014126a6e8a84f11d1a9e1c",
       "a36a4c301ae8ac13610ccbc12256cacc"},
      {32, "eaa6bd25880bf93d3f5d1e4ca2611d91", "cfa45c9f7e714b54bdfa80027cb14380",
       "f3e4c0a2e02d1d01f7f0a74618af2b48"},
  };
  for (const auto& test : kCases) {
    const std::string stream = Hex(Rc4(KeyOfLength(test.key_length), std::string(4112, '\0')));
    EXPECT_EQ(stream.substr(0, 32), test.at0) << test.key_length;
    EXPECT_EQ(stream.substr(32, 32), test.at16) << test.key_length;
    EXPECT_EQ(stream.substr(8192, 32), test.at4096) << test.key_length;
  }
}

TEST(Base64Groups, WholeGroupsOnlyWithPadding) {
  EXPECT_EQ(DecodeBase64Groups("TWFu"), "Man");
  EXPECT_EQ(DecodeBase64Groups("TWE="), "Ma");
  EXPECT_EQ(DecodeBase64Groups("TQ=="), "M");
  EXPECT_EQ(DecodeBase64Groups("TWFuTQ=="), "ManM");
  EXPECT_EQ(DecodeBase64Groups("TWFuTWE"), "Man");
  EXPECT_EQ(DecodeBase64Groups("abc"), "");
  EXPECT_EQ(DecodeBase64Groups(""), "");
  EXPECT_EQ(DecodeBase64Groups("+/+/"), "\xFB\xFF\xBF");
}

TEST(Base64Groups, CharactersOutsideTheAlphabetDoNotFail) {
  EXPECT_EQ(DecodeBase64Groups("T*Fu").size(), 3u);
  EXPECT_EQ(DecodeBase64Groups("=abc"), "");
}

TEST(PadWithZeros, ExtendsToTheNextMultiple) {
  EXPECT_EQ(PadWithZeros("", 16), std::string(16, '\0'));
  EXPECT_EQ(PadWithZeros("KelVor", 32), "KelVor" + std::string(26, '\0'));
  EXPECT_EQ(PadWithZeros(std::string(16, 'k'), 16), std::string(16, 'k'));
  EXPECT_EQ(PadWithZeros(std::string(17, 'k'), 16), std::string(17, 'k') + std::string(15, '\0'));
}

TEST(BracketRule, ParenthesesProtectAnglesQuote) {
  EXPECT_EQ(ApplyBracketRule(u"(abcd)").is_protected, true);
  EXPECT_EQ(ApplyBracketRule(u"(abcd)").text, u"abcd");
  EXPECT_EQ(ApplyBracketRule(u"()").text, u"");
  EXPECT_EQ(ApplyBracketRule(u"<a b>").is_protected, false);
  EXPECT_EQ(ApplyBracketRule(u"<a b>").text, u"a b");
  EXPECT_EQ(ApplyBracketRule(u"< a >").text, u" a ");
  for (const WideText same : {u"", u"(", u")", u"<", u">", u"(abc>", u"<abc)", u"abc", u"(a)b"}) {
    EXPECT_FALSE(ApplyBracketRule(same).is_protected);
    EXPECT_EQ(ApplyBracketRule(same).text, same);
  }
}

TEST(RegistryPaths, KeyPartAndValueName) {
  EXPECT_EQ(ExtractRegKeyPath(u"A\\B\\C"), u"\\A\\B");
  EXPECT_EQ(ExtractRegValueName(u"A\\B\\C"), u"C");
  EXPECT_EQ(ExtractRegKeyPath(u"A\\C"), u"\\A");
  EXPECT_EQ(ExtractRegKeyPath(u"C"), u"");
  EXPECT_EQ(ExtractRegValueName(u"C"), u"C");
  EXPECT_EQ(ExtractRegKeyPath(u""), u"");
  EXPECT_EQ(ExtractRegValueName(u""), u"");
  EXPECT_EQ(ExtractRegKeyPath(u"A\\B\\"), u"\\A\\B");
  EXPECT_EQ(ExtractRegValueName(u"A\\B\\"), u"");
}

}  // namespace
}  // namespace tovrel
