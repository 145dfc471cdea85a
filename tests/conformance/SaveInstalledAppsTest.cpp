#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Platform.h"
#include "support/PlatformSources.h"
#include "support/TestFiles.h"
#include "support/XmlOutline.h"
#include "xmlsettings/SaveInstalledApps.h"

namespace tovrel {
namespace {

class SaveInstalledApps : public testing::Test {
 protected:
  std::int32_t Save(const std::filesystem::path& file) const {
    return DoXMLSaveInstalledApps({*platform_.xml, *platform_.files}, msi_, *platform_.versions,
                                  test::LibraryPath(file));
  }
  static bool OfficeMachine() {
    const char* machine = std::getenv("TOVREL_TEST_MACHINE");
    return machine != nullptr && std::string(machine) == "office";
  }

  Platform platform_ = MakePlatform();
  TMSI msi_{test::DetectionSourcesOf(platform_)};
  test::TempDir dir_;
};

TEST_F(SaveInstalledApps, NothingInstalledLeavesAFileWithoutSectionsUntouched) {
  if (std::getenv("TOVREL_TEST_MACHINE") != nullptr) GTEST_SKIP() << "needs an empty machine";
  const std::string original = "<CONFIG>\n  <OTHER>1</OTHER>\n</CONFIG>\n";
  const auto file = dir_.Write("s.xml", original);
  EXPECT_EQ(Save(file), 1);
  EXPECT_EQ(test::ReadBytes(file), original);
}

TEST_F(SaveInstalledApps, NothingInstalledRemovesEarlierSections) {
  if (std::getenv("TOVREL_TEST_MACHINE") != nullptr) GTEST_SKIP() << "needs an empty machine";
  const auto file =
      dir_.Write("s.xml",
                 "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL><APP1 NAME=\"x\">C:\\</APP1></EXCEL>"
                 "<PLATNIK/></INSTALLEDAPPS></STARTUP></CONFIG>");
  EXPECT_EQ(Save(file), 1);
  EXPECT_EQ(test::XmlOutline(*platform_.xml, file),
            "<CONFIG><STARTUP><INSTALLEDAPPS/></STARTUP></CONFIG>");
}

TEST_F(SaveInstalledApps, NothingInstalledRemovesEveryCopyOfASectionAtOnce) {
  if (std::getenv("TOVREL_TEST_MACHINE") != nullptr) GTEST_SKIP() << "needs an empty machine";
  const auto file = dir_.Write(
      "s.xml",
      "<CONFIG><STARTUP><INSTALLEDAPPS><FR>a</FR><FR>b</FR></INSTALLEDAPPS></STARTUP></CONFIG>");
  EXPECT_EQ(Save(file), 1);
  const std::string once = test::ReadBytes(file);
  EXPECT_EQ(once, "<CONFIG><STARTUP><INSTALLEDAPPS></INSTALLEDAPPS></STARTUP></CONFIG>");
  EXPECT_EQ(Save(file), 1);
  EXPECT_EQ(test::ReadBytes(file), once) << "the second run changes nothing";
}

TEST_F(SaveInstalledApps, AFileThatCannotBeReadGivesZero) {
  EXPECT_EQ(Save(dir_.path() / "missing.xml"), 0);
  const auto malformed = dir_.Write("bad.xml", "<CONFIG>");
  EXPECT_EQ(Save(malformed), 0);
  EXPECT_EQ(test::ReadBytes(malformed), "<CONFIG>");
}

TEST_F(SaveInstalledApps, OfficeSectionListsGenerationsNewestFirst) {
  if (!OfficeMachine()) GTEST_SKIP() << "run by the test entry that prepares the machine";
  const auto file = dir_.Write("s.xml", "<CONFIG><STARTUP/></CONFIG>");
  EXPECT_EQ(Save(file), 1);
  EXPECT_EQ(test::XmlOutline(*platform_.xml, file),
            "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL>"
            "<APP1 NAME=\"Office Professional Plus 2010 (14.0.4763.1000)\">"
            "C:\\Program Files (x86)\\Office14</APP1>"
            "<APP2 NAME=\" (9.0.2720)\">C:\\</APP2></EXCEL></INSTALLEDAPPS></STARTUP></CONFIG>");
}

TEST_F(SaveInstalledApps, AnUnwritableFileStaysIntactAndGivesZero) {
  if (!OfficeMachine()) GTEST_SKIP() << "run by the test entry that prepares the machine";
  const std::string original = "<CONFIG><STARTUP/></CONFIG>";
  const auto file = dir_.Write("s.xml", original);
  std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(Save(file), 0);
  EXPECT_EQ(test::ReadBytes(file), original);
}

}  // namespace
}  // namespace tovrel
