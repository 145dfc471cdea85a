// Run once per code page by the test runner, which sets the process's ANSI code page and names
// it in TOVREL_EXPECT_ACP.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Tovrel.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

std::string ExpectedCodePage() {
  const char* value = std::getenv("TOVREL_EXPECT_ACP");
  return value ? value : "";
}

// "zażółć Łódź" in UTF-8, the way the settings file stores it.
constexpr char kUtf8Text[] = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xC5\x81\xC3\xB3\x64\xC5\xBA";

class HostCodePage : public testing::Test {
 protected:
  void SetUp() override {
    if (ExpectedCodePage().empty()) GTEST_SKIP() << "run by the per-code-page test entries";
    file_ = dir_.Write("s.xml", std::string("<R><CITY>") + kUtf8Text + "</CITY></R>");
    path_ = test::HostPath(file_);
  }

  test::TempDir dir_;
  std::filesystem::path file_;
  std::string path_;
};

TEST_F(HostCodePage, ResultsReachTheHostInItsCodePage) {
  const std::string result = XMLGetNode(path_.c_str(), "CITY");
  if (ExpectedCodePage() == "1250") {
    EXPECT_EQ(result, "za\xBF\xF3\xB3\xE6 \xA3\xF3\x64\x9F");
  } else {
    // Letters 1252 lacks take the platform's best fit; ó is in 1252.
    EXPECT_EQ(result, "zaz\xF3lc L\xF3\x64z");
  }
}

TEST_F(HostCodePage, ArgumentsAreReadInTheHostCodePage) {
  const std::string value = ExpectedCodePage() == "1250" ? "\xA3\xF3\x64\x9F" : "\xC6\xE9";
  ASSERT_EQ(XMLAddNode(path_.c_str(), "CITY", value.c_str()), 1);
  const std::string saved = test::ReadBytes(file_);
  const std::string utf8 =
      ExpectedCodePage() == "1250" ? "\xC5\x81\xC3\xB3\x64\xC5\xBA" : "\xC3\x86\xC3\xA9";
  EXPECT_NE(saved.find(utf8), std::string::npos) << saved;
  EXPECT_EQ(std::string(XMLGetNode(path_.c_str(), "CITY")), value);
}

TEST_F(HostCodePage, CharactersOutsideEveryCodePageBecomeQuestionMarks) {
  dir_.Write("s.xml", "<R><X>\xE4\xB8\xAD</X></R>");
  EXPECT_STREQ(XMLGetNode(path_.c_str(), "X"), "?");
}

}  // namespace
}  // namespace tovrel
