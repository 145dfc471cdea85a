#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "text/Utf8.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

constexpr int kWriters = 4;
constexpr int kKeysEach = 25;

WideText KeyPath(const std::string& writer, int key) {
  return FromUtf8("KEYS.W" + writer + "K" + std::to_string(key));
}

std::set<std::string> Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// One installer of several started at once: it adds its own keys one call at a time. Run by the
// test below in processes of its own.
TEST(ConcurrentWriters, DISABLED_Writer) {
  const char* file = std::getenv("TOVREL_WRITER_FILE");
  const char* writer = std::getenv("TOVREL_WRITER");
  ASSERT_TRUE(file != nullptr && writer != nullptr);
  const Platform platform = MakePlatform();
  const SettingsServices services{*platform.xml, *platform.files};
  for (int key = 0; key < kKeysEach; ++key) {
    EXPECT_EQ(DoXMLAddNode(services, FromUtf8(file), KeyPath(writer, key), u"set"), 1) << key;
  }
}

TEST(ConcurrentWriters, ProcessesAddingToOneFileLoseNoKeyAndLeaveNothingBeside) {
  const test::TempDir dir;
  const auto file =
      dir.Write("settings.xml", "<?xml version=\"1.0\"?>\n<CONFIG>\n  <KEYS/>\n</CONFIG>\n");
  std::vector<test::TestProcess> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    writers.emplace_back(
        "ConcurrentWriters.DISABLED_Writer",
        test::TestProcess::Environment{{"TOVREL_WRITER_FILE", ToUtf8(test::LibraryPath(file))},
                                       {"TOVREL_WRITER", std::to_string(writer)}});
  }
  for (test::TestProcess& writer : writers) EXPECT_TRUE(writer.Passed());

  const Platform platform = MakePlatform();
  int missing = 0;
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int key = 0; key < kKeysEach; ++key) {
      const WideText path = KeyPath(std::to_string(writer), key);
      if (DoXMLGetNode(*platform.xml, test::LibraryPath(file), path) != u"set") ++missing;
    }
  }
  EXPECT_EQ(missing, 0) << "of " << kWriters * kKeysEach << " keys";
  EXPECT_EQ(Listing(dir.path()), std::set<std::string>{"settings.xml"});
}

// A change waits for the one under way, in any thread or process, for as long as it is told,
// and then goes without the lock; it gets it once the other lets go.
TEST(ConcurrentWriters, AChangeWaitsBoundedForTheOneUnderWay) {
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R/>");
  const Platform platform = MakePlatform();
  const auto lock_in_thread = [&] {
    bool locked = false;
    std::thread([&] {
      locked = platform.files->LockForChange(test::LibraryPath(file),
                                             std::chrono::milliseconds(300)) != nullptr;
    }).join();
    return locked;
  };
  {
    const auto held =
        platform.files->LockForChange(test::LibraryPath(file), std::chrono::milliseconds(0));
    ASSERT_NE(held, nullptr);
    EXPECT_FALSE(lock_in_thread());
  }
  EXPECT_TRUE(lock_in_thread());
  EXPECT_EQ(platform.files->LockForChange(test::LibraryPath(dir.path() / "missing" / "x.xml"),
                                          std::chrono::milliseconds(0)),
            nullptr);
  EXPECT_EQ(Listing(dir.path()), std::set<std::string>{"settings.xml"});
}

// An installer that dies while it changes the file: it takes the lock, says so by writing the
// file "held" beside the settings file, and ends its process a moment later without letting go.
// Run by the test below in a process of its own.
TEST(ConcurrentWriters, DISABLED_DyingHolder) {
  const char* file = std::getenv("TOVREL_WRITER_FILE");
  ASSERT_NE(file, nullptr);
  const Platform platform = MakePlatform();
  auto lock = platform.files->LockForChange(FromUtf8(file), std::chrono::milliseconds(0));
  ASSERT_NE(lock, nullptr);
  std::ofstream(std::filesystem::path(FromUtf8(file)).parent_path() / "held").put('1');
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // No destructor runs, so nothing but the end of the process lets go of the lock.
  static_cast<void>(lock.release());
  std::_Exit(0);
}

// The waiting change gets the lock when its holder dies; on Windows the holder's mutex is then
// abandoned, not released.
TEST(ConcurrentWriters, AWriterThatDiesLetsGoOfTheLock) {
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R/>");
  test::TestProcess holder("ConcurrentWriters.DISABLED_DyingHolder",
                           {{"TOVREL_WRITER_FILE", ToUtf8(test::LibraryPath(file))}});
  for (int tries = 0; tries < 1000 && !std::filesystem::exists(dir.path() / "held"); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(std::filesystem::exists(dir.path() / "held"));
  const Platform platform = MakePlatform();
  EXPECT_NE(platform.files->LockForChange(test::LibraryPath(file), std::chrono::seconds(5)),
            nullptr);
  EXPECT_TRUE(holder.Passed());
  EXPECT_EQ(Listing(dir.path()), (std::set<std::string>{"held", "settings.xml"}));
}

}  // namespace
}  // namespace tovrel
