#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Tovrel.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

constexpr char kSuffix[] = "c:\\Program Files\\\xB9\xE6\xEA\xB3\xF1\xF3\x9C\xBF\x9F";

TEST(Exports, MyDllFuncAppendsTheFixedSuffixBytes) {
  ASSERT_EQ(std::strlen(kSuffix), 26u);
  EXPECT_STREQ(MyDllFunc(nullptr), kSuffix);
  EXPECT_STREQ(MyDllFunc(""), kSuffix);
  EXPECT_EQ(std::string(MyDllFunc("x")), std::string("x") + kSuffix);
}

TEST(Exports, TextResultsShareOneBufferThatTheNextCallReplaces) {
  const char* first = MyDllFunc("first");
  const char* second = XMLGetNode(nullptr, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "Empty");
}

TEST(Exports, NullArgumentsAreEmptyTexts) {
  EXPECT_STREQ(XMLGetNode(nullptr, "X"), "Empty");
  EXPECT_EQ(XMLAddNode(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(XMLAddNode(nullptr, "X", "v"), 0);
}

TEST(Exports, XmlValuesRoundTripThroughHostText) {
  const test::TempDir dir;
  const auto file = dir.Write("s.xml", "<CONFIG><STARTUP/></CONFIG>");
  const std::string path = test::HostPath(file);
  EXPECT_EQ(XMLAddNode(path.c_str(), "STARTUP.INSTALLEDAPPS.EXCEL", "C:\\Office\\"), 1);
  EXPECT_STREQ(XMLGetNode(path.c_str(), "EXCEL"), "C:\\Office\\");
  EXPECT_STREQ(XMLGetNode(path.c_str(), "STARTUP.MISSING"), "Empty");
}

}  // namespace
}  // namespace tovrel
