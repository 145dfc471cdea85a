#include <gtest/gtest.h>

#include "detect/InstallationScan.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

// Only a drive letter with its separator or a UNC path is absolute; anything else would be
// taken from the installer's current directory or drive.
TEST(InstallationScan, AbsoluteWindowsPaths) {
  const struct {
    WideView path;
    bool absolute;
  } kCases[] = {
      {u"C:\\Velmora", true},    {u"d:/Velmora", true}, {u"\\\\server\\share", true},
      {u"//server/share", true}, {u"\\Velmora", false}, {u"/Velmora", false},
      {u"C:Velmora", false},     {u"C:", false},        {u"1:\\Velmora", false},
      {u"Velmora", false},       {u"", false},
  };
  for (const auto& test : kCases) {
    EXPECT_EQ(IsAbsoluteWindowsPath(test.path), test.absolute) << ToUtf8(test.path);
  }
}

}  // namespace
}  // namespace tovrel
