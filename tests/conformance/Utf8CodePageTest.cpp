// Windows offers UTF-8 as the ANSI code page; both backends convert it as Windows does.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#ifdef _WIN32
#include "platform/win32/Win32CodePage.h"
#else
#include "platform/portable/IconvCodePage.h"
#endif

namespace tovrel {
namespace {

constexpr unsigned kUtf8 = 65001;

std::unique_ptr<AnsiCodePage> Utf8CodePage() {
#ifdef _WIN32
  return std::make_unique<win32::Win32CodePage>(kUtf8);
#else
  return std::make_unique<portable::IconvCodePage>(kUtf8);
#endif
}

struct Utf8Sample {
  std::string ansi;
  WideText wide;
};

TEST(Utf8CodePage, ConvertsWholeCharacters) {
  const auto code_page = Utf8CodePage();
  EXPECT_EQ(code_page->Number(), kUtf8);
  const Utf8Sample samples[] = {
      {"Ksi\xC4\x99gowo\xC5\x9B\xC4\x87", u"Księgowość"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", u"日本"},
      {"a\xF0\x9F\x98\x80z", u"a\U0001F600z"},
      {"", u""},
  };
  for (const Utf8Sample& sample : samples) {
    EXPECT_EQ(code_page->ToWide(sample.ansi), sample.wide) << sample.ansi;
    EXPECT_EQ(code_page->ToAnsi(sample.wide), sample.ansi) << sample.ansi;
  }
}

TEST(Utf8CodePage, ReplacesWhatIsNotUtf8) {
  const auto code_page = Utf8CodePage();
  EXPECT_EQ(code_page->ToWide("a\xFFz"), u"a\uFFFDz");
  // A lead byte without the continuation bytes it announces is replaced alone: the characters
  // after it stay.
  EXPECT_EQ(code_page->ToWide("a\xC3z"), u"a\uFFFDz");
  EXPECT_EQ(code_page->ToWide("\xC3\xA9\xC3<\xC3\xA9"), u"\u00E9\uFFFD<\u00E9");
  EXPECT_EQ(code_page->ToAnsi(WideText(u"a") + char16_t{0xD800} + u"z"), "a\xEF\xBF\xBDz");
}

}  // namespace
}  // namespace tovrel
