#include <gtest/gtest.h>

#include <filesystem>

#include "fileutil/DirectoryEmpty.h"
#include "platform/Platform.h"
#include "support/DetectionMachine.h"
#include "support/HiddenFile.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

class DirectoryEmptyTest : public testing::Test {
 protected:
  [[nodiscard]] DirectoryState Check(const std::filesystem::path& path) const {
    return CheckDirectoryEmpty(*platform_.directories, test::LibraryPath(path));
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

TEST_F(DirectoryEmptyTest, AFreshDirectoryIsEmpty) {
  std::filesystem::create_directory(dir_.path() / "fresh");
  EXPECT_EQ(Check(dir_.path() / "fresh"), DirectoryState::kEmpty);
}

TEST_F(DirectoryEmptyTest, OneEntryOfAnyKindMakesItNotEmpty) {
  const auto with_file = dir_.path() / "file";
  std::filesystem::create_directory(with_file);
  dir_.Write("file/a.txt", "x");
  EXPECT_EQ(Check(with_file), DirectoryState::kNotEmpty);

  const auto with_hidden = dir_.path() / "hidden";
  std::filesystem::create_directory(with_hidden);
  test::WriteHiddenFile(with_hidden / ".hidden");
  EXPECT_EQ(Check(with_hidden), DirectoryState::kNotEmpty);

  const auto with_directory = dir_.path() / "directory";
  std::filesystem::create_directories(with_directory / "empty");
  EXPECT_EQ(Check(with_directory), DirectoryState::kNotEmpty);
}

TEST_F(DirectoryEmptyTest, FilesMissingPathsAndTheEmptyPathAreNotDirectories) {
  EXPECT_EQ(Check(dir_.Write("a.txt", "x")), DirectoryState::kNotADirectory);
  EXPECT_EQ(Check(dir_.path() / "missing"), DirectoryState::kNotADirectory);
  EXPECT_EQ(CheckDirectoryEmpty(*platform_.directories, u""), DirectoryState::kNotADirectory);
}

// A drive root lists no "." and "..": drive M: of a sample machine, a folder the Wine prefix
// links as a drive under Windows.
TEST(DriveRoot, IsEmptyExactlyWhenItListsNothing) {
  if (!test::DetectionMachine::Available()) GTEST_SKIP() << "run by the entry that gives M:";
  const test::DetectionMachine machine;
  const Platform platform = MakePlatform();
  EXPECT_EQ(CheckDirectoryEmpty(*platform.directories, u"M:\\"), DirectoryState::kEmpty);
  machine.Write("a.txt", "a");
  EXPECT_EQ(CheckDirectoryEmpty(*platform.directories, u"M:\\"), DirectoryState::kNotEmpty);
  machine.Write("b.txt", "b");
  EXPECT_EQ(CheckDirectoryEmpty(*platform.directories, u"M:\\"), DirectoryState::kNotEmpty);
}

// Windows resolves ".." within the drive: a path never climbs above the drive's root.
TEST(DriveRoot, DotDotStopsAtTheRoot) {
  if (!test::DetectionMachine::Available()) GTEST_SKIP() << "run by the entry that gives M:";
  const test::DetectionMachine machine;
  const Platform platform = MakePlatform();
  machine.Write("a.txt", "a");
  EXPECT_TRUE(platform.files->FileExists(u"M:\\..\\..\\a.txt"));
  EXPECT_TRUE(platform.files->FileExists(u"M:\\Missing\\..\\..\\..\\a.txt"));
  EXPECT_FALSE(platform.files->FileExists(u"M:\\..\\m\\a.txt"));
}

}  // namespace
}  // namespace tovrel
