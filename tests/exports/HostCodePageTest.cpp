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

// A settings file's text in UTF-8 and as the host receives it, and a host argument with the
// UTF-8 the file stores for it, in each code page the tests run in.
struct CodePageSample {
  const char* code_page;
  std::string stored;
  std::string received;
  std::string argument;
  std::string argument_stored;
};

// "zażółć Łódź" in UTF-8.
constexpr char kPolish[] = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xC5\x81\xC3\xB3\x64\xC5\xBA";

const CodePageSample kSamples[] = {
    {"1250", kPolish, "za\xBF\xF3\xB3\xE6 \xA3\xF3\x64\x9F", "\xA3\xF3\x64\x9F",
     "\xC5\x81\xC3\xB3\x64\xC5\xBA"},
    // Letters 1252 lacks take the platform's best fit; ó is in 1252.
    {"1252", kPolish, "zaz\xF3lc L\xF3\x64z", "\xC6\xE9", "\xC3\x86\xC3\xA9"},
    // Two characters of two bytes each: 日本.
    {"932", "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B", "\x93\xFA\x96\x7B",
     "\xE6\x97\xA5\xE6\x9C\xAC"},
};

class HostCodePage : public testing::Test {
 protected:
  void SetUp() override {
    for (const CodePageSample& sample : kSamples) {
      if (ExpectedCodePage() == sample.code_page) sample_ = &sample;
    }
    if (sample_ == nullptr) GTEST_SKIP() << "run by the per-code-page test entries";
    file_ = dir_.Write("s.xml", "<R><CITY>" + sample_->stored + "</CITY></R>");
    path_ = test::HostPath(file_);
  }

  const CodePageSample* sample_ = nullptr;
  test::TempDir dir_;
  std::filesystem::path file_;
  std::string path_;
};

TEST_F(HostCodePage, ResultsReachTheHostInItsCodePage) {
  EXPECT_EQ(std::string(XMLGetNode(path_.c_str(), "CITY")), sample_->received);
}

TEST_F(HostCodePage, ArgumentsAreReadInTheHostCodePage) {
  ASSERT_EQ(XMLAddNode(path_.c_str(), "CITY", sample_->argument.c_str()), 1);
  const std::string saved = test::ReadBytes(file_);
  EXPECT_NE(saved.find("<CITY>" + sample_->argument_stored + "</CITY>"), std::string::npos)
      << saved;
  EXPECT_EQ(std::string(XMLGetNode(path_.c_str(), "CITY")), sample_->argument);
}

// A lead byte and the byte after it are read as one character, the page's default one when they
// define none: Japanese Windows reads the middle dot.
TEST_F(HostCodePage, AnUndefinedDoubleByteSequenceIsOneDefaultCharacter) {
  if (ExpectedCodePage() != "932") GTEST_SKIP() << "a double-byte page's case";
  ASSERT_EQ(XMLAddNode(path_.c_str(), "CITY",
                       "a\x81\x20"
                       "b\x93"),
            1);
  EXPECT_NE(test::ReadBytes(file_).find("<CITY>a\xE3\x83\xBB"
                                        "b\xE3\x83\xBB</CITY>"),
            std::string::npos)
      << test::ReadBytes(file_);
}

TEST_F(HostCodePage, CharactersOutsideEveryCodePageBecomeQuestionMarks) {
  // Thai ก, in none of the code pages and with no best fit.
  dir_.Write("s.xml", "<R><X>\xE0\xB8\x81</X></R>");
  EXPECT_STREQ(XMLGetNode(path_.c_str(), "X"), "?");
}

}  // namespace
}  // namespace tovrel
