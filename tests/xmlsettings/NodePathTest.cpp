#include <gtest/gtest.h>

#include "xmlsettings/NodePath.h"

namespace tovrel {
namespace {

TEST(NodePath, SplitsAtTheFirstSeparator) {
  EXPECT_EQ(PathFirstPart(u"STARTUP.INSTALLEDAPPS.EXCEL"), u"STARTUP");
  EXPECT_EQ(PathRest(u"STARTUP.INSTALLEDAPPS.EXCEL"), u"INSTALLEDAPPS.EXCEL");
  EXPECT_EQ(PathFirstPart(u"A.B\\C.D"), u"A.B");
  EXPECT_EQ(PathRest(u"A.B\\C.D"), u"C.D");
  EXPECT_EQ(PathFirstPart(u"EXCEL"), u"");
  EXPECT_EQ(PathRest(u"EXCEL"), u"EXCEL");
  EXPECT_EQ(PathFirstPart(u".X"), u"");
  EXPECT_EQ(PathRest(u".X"), u"X");
  EXPECT_EQ(PathRest(u"X."), u"");
}

}  // namespace
}  // namespace tovrel
