#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Platform.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

using test::ReadBytes;

// A save through a symbolic link replaces the file it leads to, also in another folder, and
// leaves the link and both folders as they were.
TEST(PosixFileSystem, SavingThroughASymbolicLinkReplacesItsTarget) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "data");
  std::filesystem::create_directory(dir.path() / "app");
  const auto real = dir.Write("data/settings.xml", "<R>old</R>");
  const auto link = dir.path() / "app" / "settings.xml";
  std::filesystem::create_symlink("../data/settings.xml", link);
  const auto chain = dir.path() / "app" / "chain.xml";
  std::filesystem::create_symlink("settings.xml", chain);

  ASSERT_TRUE(platform.files->ReplaceFileContents(test::LibraryPath(link), "<R>new</R>"));
  ASSERT_TRUE(platform.files->ReplaceFileContents(test::LibraryPath(chain), "<R>newer</R>"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(std::filesystem::is_symlink(chain));
  EXPECT_EQ(ReadBytes(real), "<R>newer</R>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "data"), {}), 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "app"), {}), 2);
}

TEST(PosixFileSystem, ADanglingLinkIsAMissingFile) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto link = dir.path() / "settings.xml";
  std::filesystem::create_symlink("missing.xml", link);
  EXPECT_FALSE(platform.files->ReplaceFileContents(test::LibraryPath(link), "<R/>"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing.xml"));
}

}  // namespace
}  // namespace tovrel
