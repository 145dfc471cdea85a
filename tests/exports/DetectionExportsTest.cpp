// The detection exports on sample machines, through the library as a host loads it.
#include <gtest/gtest.h>

#include <string>

#include "Tovrel.h"
#include "support/DetectionMachine.h"
#include "support/TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tovrel {
namespace {

using test::RegKey;
using test::RegString;

class DetectionExports : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::DetectionMachine::Available()) GTEST_SKIP() << "run by the entry that gives M:";
  }

  void Program(const std::string& dir, std::string_view product, std::string_view numer) const {
    machine_.Write(dir + "\\" + std::string(product) + "_Prog.vba", "");
    machine_.Write(dir + "\\" + std::string(product) + ".ini",
                   "[Program]\r\nNumer=" + std::string(numer) + "\r\n");
  }

  test::DetectionMachine machine_;
};

TEST_F(DetectionExports, NothingInstalledGivesEmptyTexts) {
  ASSERT_TRUE(machine_.SetRegistry(""));
  EXPECT_STREQ(GetLastVL(), "");
  EXPECT_STREQ(GetLastAS(), "");
  EXPECT_STREQ(GetLastFR(), "");
  EXPECT_STREQ(GetLastPlatnik(), "");
}

TEST_F(DetectionExports, DirectoriesComeBackAsRegisteredAndFoldersOfExecutables) {
  ASSERT_TRUE(machine_.SetRegistry(
      RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\1") +
      RegString("Sciezka", "M:\\Velmora\\") +
      RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\AS910\\1") +
      RegString("Sciezka", "M:\\Astrelo") +
      RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Delvar\\Ferrolin101\\1") +
      RegString("szablony", "M:\\Szablony") +
      RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
             "{05381030-963D-4779-BECA-0D7D49268EDB}") +
      RegString("InstallLocation", "M:\\Platnik\\")));
  Program("Velmora", "Velm", "3");
  Program("Astrelo", "Astr", "1");
  machine_.CopyFixture("v10_2_1_0", "Ferrolin.exe");
  machine_.CopyFixture("v9_21_1_0", "Platnik\\p2.exe");
  EXPECT_STREQ(GetLastVL(), "M:\\Velmora\\");
  EXPECT_STREQ(GetLastAS(), "M:\\Astrelo");
  EXPECT_STREQ(GetLastFR(), "M:\\");
  EXPECT_STREQ(GetLastPlatnik(), "M:\\Platnik");
}

TEST_F(DetectionExports, AnUnreadableInstallationDoesNotEmptyTheAnswer) {
  ASSERT_TRUE(machine_.SetRegistry(RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\A") +
                                   "\"Sciezka\"=dword:00000001\n" +
                                   RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\B") +
                                   RegString("Sciezka", "M:\\Velmora")));
  Program("Velmora", "Velm", "2");
  EXPECT_STREQ(GetLastVL(), "M:\\Velmora");
}

#ifdef _WIN32
// The report dispatches the installer's messages while it scans; a quit message among them still
// reaches the installer's own loop afterwards.
TEST_F(DetectionExports, TheReportPostsAgainAQuitMessageItTook) {
  ASSERT_TRUE(machine_.SetRegistry(RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\1") +
                                   RegString("Sciezka", "M:\\Velmora")));
  Program("Velmora", "Velm", "3");
  const test::TempDir dir;
  const std::string settings = test::HostPath(dir.Write("settings.xml", "<STARTUP/>"));
  PostQuitMessage(7);
  EXPECT_EQ(XMLSaveInstalledApps(settings.c_str()), 1);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
#endif

}  // namespace
}  // namespace tovrel
