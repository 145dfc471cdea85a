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

// Results longer than std::string's own small buffer, so that each lives in the heap.
TEST(Exports, TextResultsShareOneBufferThatTheNextCallReplaces) {
  const std::string long_prefix(100, 'p');
  const char* first = MyDllFunc(long_prefix.c_str());
  const char* second = MyDllFunc("s");
  EXPECT_EQ(first, second);
  EXPECT_EQ(std::string(first), std::string("s") + kSuffix);
  EXPECT_EQ(XMLGetNode(nullptr, nullptr), first);
  EXPECT_STREQ(first, "Empty");
}

TEST(Exports, AnEarlierResultStaysReadableWhenALongerOneOutgrowsTheBuffer) {
  const std::string earlier = std::string(MyDllFunc("earlier"));
  const char* earlier_address = MyDllFunc("earlier");
  const std::string longer(1 << 20, 'x');
  const char* later = MyDllFunc(longer.c_str());
  EXPECT_EQ(std::string(later), longer + kSuffix);
  EXPECT_EQ(std::string(earlier_address), earlier) << "the outgrown buffer is still allocated";
  EXPECT_EQ(MyDllFunc("s"), later) << "the grown buffer is the one reused";
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
