#include <gtest/gtest.h>

#include <filesystem>

#include "platform/portable/machine/NativePath.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

namespace tovrel::portable {
namespace {

class MachinePaths : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.path() / "drives/c/Program Files/Velmora");
  }

  test::TempDir dir_;
  test::ScopedEnv machine_{"TOVREL_MACHINE", dir_.path().c_str()};
};

TEST_F(MachinePaths, DrivePathsLieInTheMachineAndMatchWithoutCase) {
  const auto drive = dir_.path() / "drives/c";
  EXPECT_EQ(NativePath(u"C:\\Program Files\\Velmora"), (drive / "Program Files/Velmora").string());
  EXPECT_EQ(NativePath(u"c:/PROGRAM FILES/velmora/new.ini"),
            (drive / "Program Files/Velmora/new.ini").string());
  EXPECT_EQ(NativePath(u"C:\\"), (drive / "").string());
  std::filesystem::create_directories(drive / "Прог/Σοφία");
  EXPECT_EQ(NativePath(u"c:\\ПРОГ\\ΣΟΦΊΑ"), (drive / "Прог/Σοφία").string());
}

// Windows resolves "." and ".." within the drive: a path never leaves the drive's folder.
TEST_F(MachinePaths, DotDotStopsAtTheDriveRoot) {
  const auto drive = dir_.path() / "drives/c";
  EXPECT_EQ(NativePath(u"C:\\..\\..\\..\\x"), (drive / "x").string());
  EXPECT_EQ(NativePath(u"C:\\Program Files\\..\\..\\..\\etc\\passwd"),
            (drive / "etc/passwd").string());
  EXPECT_EQ(NativePath(u"c:\\program files\\missing\\..\\.\\VELMORA\\a.ini"),
            (drive / "Program Files/Velmora/a.ini").string());
  EXPECT_EQ(NativePath(u"C:\\Program Files\\..\\"), (drive / "").string());
}

TEST_F(MachinePaths, OtherPathsAreNative) {
  EXPECT_EQ(NativePath(u"/tmp/x.xml"), "/tmp/x.xml");
  EXPECT_EQ(NativePath(u"relative\\p2.exe"), "relative\\p2.exe");
  EXPECT_EQ(NativePath(u"\\\\server\\share\\x"), "");
}

TEST(MachinePathsWithoutMachine, DrivePathsNameNothing) {
  const test::ScopedEnv no_machine("TOVREL_MACHINE", nullptr);
  EXPECT_EQ(NativePath(u"C:\\Windows"), "");
}

}  // namespace
}  // namespace tovrel::portable
