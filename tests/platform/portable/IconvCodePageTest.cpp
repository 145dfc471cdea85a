#include <gtest/gtest.h>

#include <string>

#include "platform/portable/IconvCodePage.h"

namespace tovrel::portable {
namespace {

struct DoubleByteSample {
  unsigned code_page;
  std::string nihon;           // 日本 in the code page: two characters of two bytes each
  char16_t default_character;  // what Windows reads for an undefined sequence
};

// The double-byte code pages of Windows' East Asian locales.
const DoubleByteSample kSamples[] = {
    {932, "\x93\xFA\x96\x7B", u'\u30FB'},
    {936, "\xC8\xD5\xB1\xBE", u'?'},
    {949, "\xEC\xED\xDC\xE2", u'?'},
    {950, "\xA4\xE9\xA5\xBB", u'?'},
};

TEST(IconvCodePage, DoubleBytePagesConvertCharactersNotBytes) {
  for (const DoubleByteSample& sample : kSamples) {
    const IconvCodePage code_page(sample.code_page);
    EXPECT_EQ(code_page.ToWide(sample.nihon), u"日本") << sample.code_page;
    EXPECT_EQ(code_page.ToAnsi(u"日本"), sample.nihon) << sample.code_page;
    EXPECT_EQ(code_page.ToWide("a" + sample.nihon + "b"), u"a日本b") << sample.code_page;
    // A character the page lacks becomes "?".
    EXPECT_EQ(code_page.ToAnsi(u"xก日"), "x?" + sample.nihon.substr(0, 2)) << sample.code_page;
    // As Windows reads them: a lead byte with nothing after it, or with a byte that makes no
    // character, is one default character.
    const WideText undefined(1, sample.default_character);
    EXPECT_EQ(code_page.ToWide("x" + sample.nihon.substr(0, 1)), u"x" + undefined)
        << sample.code_page;
    EXPECT_EQ(code_page.ToWide("x\x81 y"), u"x" + undefined + u"y") << sample.code_page;
  }
}

}  // namespace
}  // namespace tovrel::portable
