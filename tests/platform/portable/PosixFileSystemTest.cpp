#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

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

// A POSIX ACL as the kernel stores it in system.posix_acl_access: the file's owner, group and
// others, plus one more user, all allowed to read and write.
std::string AccessAcl(std::uint32_t extra_user) {
  std::string acl;
  const auto put = [&](std::uint32_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) acl.push_back(static_cast<char>(value >> (8 * i)));
  };
  put(2, 4);  // version
  for (const auto& [tag, id] :
       {std::pair{0x01u, ~0u}, std::pair{0x02u, extra_user}, std::pair{0x04u, ~0u},
        std::pair{0x10u, ~0u}, std::pair{0x20u, ~0u}}) {
    put(tag, 2);
    put(tag == 0x20u ? 4 : 6, 2);
    put(id, 4);
  }
  return acl;
}

std::string Attribute(const std::filesystem::path& file, const char* name) {
  std::string value(256, '\0');
  const ssize_t size = ::getxattr(file.c_str(), name, value.data(), value.size());
  value.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
  return value;
}

// A member of a file's group who does not own it saves it: the file keeps its group, so that the
// rest of the group may still write it, and its mode, ACL and extended attributes.
TEST(PosixFileSystem, ASaveByAGroupMemberKeepsTheGroupAndTheAttributes) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as another user and group";
  // A user and group that no account has, made for this test alone.
  constexpr uid_t kMember = 48611;
  constexpr gid_t kMemberOwnGroup = 48612;
  constexpr gid_t kStaff = 48613;
  const test::TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  const auto file = dir.Write("settings.xml", "<R>old</R>");
  ASSERT_EQ(::chown(file.c_str(), 0, kStaff), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
  const std::string acl = AccessAcl(kMember);
  const bool has_acl =
      ::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  const bool has_attribute = ::setxattr(file.c_str(), "user.tovrel", "kept", 4, 0) == 0;

  const pid_t member = ::fork();
  ASSERT_GE(member, 0);
  if (member == 0) {
    const Platform platform = MakePlatform();
    const bool saved = ::setgroups(1, &kStaff) == 0 && ::setgid(kMemberOwnGroup) == 0 &&
                       ::setuid(kMember) == 0 &&
                       platform.files->ReplaceFileContents(test::LibraryPath(file), "<R>new</R>");
    ::_exit(saved ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(member, &status, 0), member);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the member's save failed";

  EXPECT_EQ(ReadBytes(file), "<R>new</R>");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, kMember) << "only root could keep the owner";
  EXPECT_EQ(info.st_gid, kStaff);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
  if (has_acl) {
    EXPECT_EQ(Attribute(file, "system.posix_acl_access"), acl);
  }
  if (has_attribute) {
    EXPECT_EQ(Attribute(file, "user.tovrel"), "kept");
  }
}

}  // namespace
}  // namespace tovrel
