// Office detection against a real installer database: the stand-in Office packages installed by
// msiexec under Wine (win32 backend), or the registry that installation left behind (portable
// backend). TOVREL_TEST_MACHINE names the machine the test runner prepared: "office" or "empty".
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "detect/OfficeGenerations.h"
#include "detect/TMSI.h"
#include "platform/Platform.h"
#include "support/ExplainedLookups.h"
#include "support/ListEntries.h"
#include "support/PlatformSources.h"

namespace tovrel {
namespace {

constexpr WideView kOffice2010 = u"{90140000-0011-0000-0000-0000000FF1CE}";
constexpr WideView kOffice2007Word = u"{90120000-0011-0000-0000-0000000FF1CE}";
constexpr WideView kOffice2007Excel = u"{91120000-0012-0000-0000-0000000FF1CE}";
constexpr WideView kOffice2000 = u"{00110409-6000-11D3-8CFE-0050048383C9}";
constexpr WideView kExcel2010Path = u"C:\\Program Files (x86)\\Office14\\EXCEL.EXE";

std::string PreparedMachine() {
  const char* machine = std::getenv("TOVREL_TEST_MACHINE");
  return machine ? machine : "";
}

class OfficeDetection : public testing::Test {
 protected:
  void SetUp() override {
    if (PreparedMachine().empty()) GTEST_SKIP() << "run by the test entries that prepare a machine";
  }
  void TearDown() override {
    if (!IsSkipped()) test::ExpectExplanationsNameTheAnswers(test::DetectionSourcesOf(platform_));
  }
  bool Office() const { return PreparedMachine() == "office"; }

  Platform platform_ = MakePlatform();
  TMSI msi_{test::DetectionSourcesOf(platform_)};
};

TEST_F(OfficeDetection, NewestGenerationWins) {
  EXPECT_EQ(FindLastExcel(msi_), Office() ? WideText(kExcel2010Path) : WideText());
}

TEST_F(OfficeDetection, ReportListsEachGenerationFoundNewestFirst) {
  InstalledAppsList list;
  for (std::size_t g = kOfficeGenerations.size(); g-- > 0;) {
    const WideText path = msi_.GetOfficeComponentPath(kOfficeGenerations[g].product_pattern,
                                                      kOfficeGenerations[g].excel_component, u"");
    if (!path.empty()) msi_.AddOfficeProduct(g, path, list);
  }
  if (!Office()) {
    EXPECT_TRUE(list.entries().empty());
    return;
  }
  // The 2000 product's name is longer than the installer's buffers hold, so it reads as empty;
  // its Excel in the root of drive C keeps the root's backslash.
  const std::vector<WideText> expected = {
      u"C:\\Program Files (x86)\\Office14=Office Professional Plus 2010 (14.0.4763.1000)",
      u"C:\\= (9.0.2720)"};
  EXPECT_EQ(test::ListEntries(list), expected);
}

TEST_F(OfficeDetection, FirstMatchingProductDecidesEvenWithoutExcel) {
  if (!Office()) GTEST_SKIP();
  const OfficeGeneration& office2007 = kOfficeGenerations[3];
  EXPECT_EQ(msi_.FindProductCode(office2007.product_pattern), kOffice2007Word);
  EXPECT_EQ(
      msi_.GetOfficeComponentPath(office2007.product_pattern, office2007.excel_component, u""),
      u"");
  EXPECT_EQ(msi_.GetComponentPath(kOffice2007Excel, office2007.excel_component),
            u"C:\\Program Files (x86)\\Office12\\EXCEL.EXE");
}

TEST_F(OfficeDetection, ProductLookups) {
  if (!Office()) GTEST_SKIP();
  EXPECT_EQ(msi_.GetProductCode(kOfficeGenerations[4].excel_component), kOffice2010);
  EXPECT_EQ(msi_.GetProductInfo(kOffice2010, u"InstalledProductName"),
            u"Office Professional Plus 2010");
  EXPECT_EQ(msi_.GetProductInfo(kOffice2010, u"VersionString"), u"14.0.4763.1000");
  EXPECT_EQ(msi_.GetProductInfo(kOffice2000, u"InstalledProductName"), u"");
  EXPECT_EQ(msi_.GetProductInfo(u"{00000000-0000-0000-0000-000000000000}", u"VersionString"), u"");
  EXPECT_EQ(msi_.LocateComponent(kOfficeGenerations[1].excel_component), u"C:\\EXCEL.EXE");
  EXPECT_EQ(msi_.GetComponentPath(kOffice2010, kOfficeGenerations[1].excel_component), u"");
}

TEST_F(OfficeDetection, ExecutableNameMode) {
  try {
    static_cast<void>(msi_.GetOfficeComponentPath(u".", u"", u""));
    ADD_FAILURE() << "no EDVMSIError";
  } catch (const EDVMSIError& error) {
    EXPECT_STREQ(error.what(), "MSI.GetOfficeComponentPath - no component GUID or ExeName");
  }
  if (!Office()) GTEST_SKIP();
  EXPECT_EQ(msi_.GetOfficeComponentPath(kOfficeGenerations[4].product_pattern, u"", u"EXCEL\\.exe"),
            kExcel2010Path);
  EXPECT_EQ(msi_.GetOfficeComponentPath(kOfficeGenerations[3].product_pattern, u"", u"winword"),
            u"C:\\Program Files (x86)\\Office12\\WINWORD.EXE");
  EXPECT_EQ(msi_.GetOfficeComponentPath(kOfficeGenerations[0].product_pattern, u"", u"excel"), u"");
}

}  // namespace
}  // namespace tovrel
