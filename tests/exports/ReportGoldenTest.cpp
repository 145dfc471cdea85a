// The report on the sample machine through the exported function, as an installer calls it:
// natively over the assembled machine folder, and under Wine over a prefix the same machine was
// brought into (MSXML, msi.dll and Wine's registry). Both must give the expected file's content.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Tovrel.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

const std::filesystem::path kSource = TOVREL_SOURCE_DIR;

class ReportGolden : public testing::Test {
 protected:
  void SetUp() override {
    const char* machine = std::getenv("TOVREL_TEST_MACHINE");
    if (machine == nullptr || std::string(machine) != "sample") {
      GTEST_SKIP() << "run by the test entry that prepares the sample machine";
    }
  }

  test::TempDir dir_;
};

TEST_F(ReportGolden, SampleMachineGivesTheExpectedSettingsFile) {
  const auto file = dir_.path() / "settings.xml";
  std::filesystem::copy_file(kSource / "examples/machine/settings.xml", file);
  // Byte for byte: the layout outside the sections stays, entries go one a line.
  const std::string expected = test::ReadBytes(kSource / "tests/data/report/expected-settings.xml");

  ASSERT_EQ(XMLSaveInstalledApps(test::HostPath(file).c_str()), 1);
  EXPECT_EQ(test::ReadBytes(file), expected);
  const std::string once = test::ReadBytes(file);
  ASSERT_EQ(XMLSaveInstalledApps(test::HostPath(file).c_str()), 1);
  EXPECT_EQ(test::ReadBytes(file), once) << "a second run changes nothing";
}

TEST_F(ReportGolden, LatestInstallationsOfTheSampleMachine) {
  EXPECT_STREQ(GetLastExcel(), "C:\\Program Files (x86)\\Office14");
  EXPECT_STREQ(GetLastVL(), "C:\\Ostrik\\Velmora 9.30");
  EXPECT_STREQ(GetLastAS(), "D:\\Astrelo");
  EXPECT_STREQ(GetLastFR(), "C:\\Delvar\\Ferrolin");
  EXPECT_STREQ(GetLastPlatnik(), "C:\\Program Files\\Platnik");
}

}  // namespace
}  // namespace tovrel
