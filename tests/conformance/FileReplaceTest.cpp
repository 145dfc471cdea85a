#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/save/SaveTemporary.h"
#include "support/TestFiles.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

using test::ReadBytes;

class FileReplace : public testing::Test {
 protected:
  bool Replace(const std::filesystem::path& file, std::string_view bytes) const {
    return platform_.files->ReplaceFileContents(test::LibraryPath(file), bytes);
  }

  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  // The name a temporary of a save of `file_name` would carry, with `unique_part` inside it.
  static std::string TemporaryName(std::u16string_view file_name, std::string_view unique_part) {
    return ToUtf8(TemporaryNamePrefix(file_name)) + std::string(unique_part) +
           ToUtf8(kTemporarySuffix);
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

// The usual spellings of one Windows file name find each other's temporaries; other names do not.
TEST(TemporaryNamePrefix, IsTheSameForEverySpellingOfOneName) {
  const struct {
    std::u16string_view a, b;
    bool same;
  } kCases[] = {
      {u"settings.xml", u"SETTINGS.XML", true},
      {u"settings.xml", u"Settings.Xml", true},
      {u"settings.xml", u"settings.xm", false},
      {u"settings.xml", u"settings2.xml", false},
  };
  for (const auto& test : kCases) {
    const WideText a = TemporaryNamePrefix(test.a);
    EXPECT_EQ(a == TemporaryNamePrefix(test.b), test.same)
        << ToUtf8(test.a) << " " << ToUtf8(test.b);
    EXPECT_EQ(a.size(), 17u);
    EXPECT_TRUE(a.starts_with(u"~tovrel-") && a.ends_with(u'-'));
  }
}

TEST_F(FileReplace, NewBytesReplaceTheFileAndNothingIsLeftBeside) {
  const auto file = dir_.Write("settings.xml", "<R>old</R>");
  EXPECT_TRUE(Replace(file, "<R>new</R>"));
  EXPECT_EQ(ReadBytes(file), "<R>new</R>");
  EXPECT_TRUE(Replace(file, ""));
  EXPECT_EQ(ReadBytes(file), "");
  EXPECT_EQ(Listing(), std::set<std::string>{"settings.xml"});
}

TEST_F(FileReplace, MissingReadOnlyAndFolderAreRefused) {
  const auto read_only = dir_.Write("read-only.xml", "<R/>");
  std::filesystem::permissions(read_only, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  std::filesystem::create_directory(dir_.path() / "folder");
  for (const char* name : {"missing.xml", "read-only.xml", "folder"}) {
    EXPECT_FALSE(Replace(dir_.path() / name, "<R>new</R>")) << name;
  }
  // Refused even when there is nothing to change.
  EXPECT_FALSE(Replace(read_only, "<R/>"));
  EXPECT_EQ(ReadBytes(read_only), "<R/>");
  EXPECT_EQ(Listing(), (std::set<std::string>{"folder", "read-only.xml"}));
}

TEST_F(FileReplace, EqualBytesLeaveTheFileAndItsTimeUntouched) {
  const auto file = dir_.Write("settings.xml", "<R>same</R>");
  const auto long_ago = std::filesystem::last_write_time(file) - std::chrono::hours(24 * 365);
  std::filesystem::last_write_time(file, long_ago);
  EXPECT_TRUE(Replace(file, "<R>same</R>"));
  EXPECT_EQ(std::filesystem::last_write_time(file), long_ago);
  EXPECT_TRUE(Replace(file, "<R>same!</R>")) << "one byte longer";
  EXPECT_NE(std::filesystem::last_write_time(file), long_ago);
  EXPECT_EQ(ReadBytes(file), "<R>same!</R>");
}

TEST_F(FileReplace, NamesAsLongAsAFolderHoldsCanBeSaved) {
  for (const std::size_t length : {249u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".xml";
    const auto file = dir_.Write(name, "<R>old</R>");
    ASSERT_EQ(ReadBytes(file), "<R>old</R>") << length;
    EXPECT_TRUE(Replace(file, "<R>new</R>")) << length;
    EXPECT_EQ(ReadBytes(file), "<R>new</R>") << length;
    std::filesystem::remove(file);
  }
  EXPECT_TRUE(Listing().empty());
}

TEST_F(FileReplace, TheNextSaveRemovesWhatAKilledSaveOfTheSameFileLeft) {
  const auto file = dir_.Write("settings.xml", "<R>old</R>");
  const std::string leftover = TemporaryName(u"settings.xml", "killed");
  const std::string other_files = TemporaryName(u"other.xml", "killed");
  dir_.Write(leftover, "<R>half");
  dir_.Write(other_files, "<R>half");
  EXPECT_TRUE(Replace(file, "<R>new</R>"));
  EXPECT_EQ(Listing(), (std::set<std::string>{"settings.xml", other_files}));
  EXPECT_LE(leftover.size(), 40u) << "short whatever the file's name";
}

// A save in progress holds its temporary open (Windows) or locked (Linux) until the file is
// replaced; another save of the same file must not take it away.
TEST_F(FileReplace, ASaveInProgressKeepsItsTemporary) {
  const auto file = dir_.Write("settings.xml", "<R>old</R>");
  const auto in_progress = dir_.Write(TemporaryName(u"settings.xml", "writing"), "<R>ha");
#ifdef _WIN32
  const HANDLE held = CreateFileW(in_progress.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  const int held = ::open(in_progress.c_str(), O_RDWR);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
#endif
  EXPECT_TRUE(Replace(file, "<R>new</R>"));
  EXPECT_TRUE(std::filesystem::exists(in_progress));
#ifdef _WIN32
  CloseHandle(held);
#else
  ::close(held);
#endif
  EXPECT_TRUE(Replace(file, "<R>newer</R>"));
  EXPECT_FALSE(std::filesystem::exists(in_progress)) << "once its save is gone, it is stale";
}

}  // namespace
}  // namespace tovrel
