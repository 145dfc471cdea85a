#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "text/Utf8.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

// Reads enough to meet the writer in every step of its saves many times over, in a few seconds.
constexpr int kReads = 2000;

// A settings file of some 2 KiB: a read meets the saves in every step, and stays quick.
std::string Settings(int round) {
  std::string text = "<?xml version=\"1.0\"?>\n<CONFIG>\n  <KEEP>kept</KEEP>\n  <FILLER>\n";
  for (int i = 0; i < 40; ++i)
    text += "    <F" + std::to_string(i) + ">filler</F" + std::to_string(i) + ">\n";
  return text + "  </FILLER>\n  <CHANGED>" + std::to_string(round) + "</CHANGED>\n</CONFIG>\n";
}

// The writer, run by the test below in a process of its own until the stop file appears: an
// installer changing another value of the file through the library (under the file's lock), or
// another program saving the whole file in one step (without it).
TEST(ReaderBesideWriter, DISABLED_Writer) {
  const char* file = std::getenv("TOVREL_WRITER_FILE");
  const char* how = std::getenv("TOVREL_WRITER");
  ASSERT_TRUE(file != nullptr && how != nullptr);
  const std::filesystem::path stop = std::filesystem::path(file).parent_path() / "stop";
  const Platform platform = MakePlatform();
  const SettingsServices services{*platform.xml, *platform.files};
  const bool through_library = std::string(how) == "library";
  for (int round = 0; !std::filesystem::exists(stop); ++round) {
    const bool saved = through_library
                           ? DoXMLAddNode(services, FromUtf8(file), u"CONFIG.CHANGED",
                                          FromUtf8(std::to_string(round))) == 1
                           : platform.files->ReplaceFileContents(FromUtf8(file), Settings(round));
    ASSERT_TRUE(saved) << round;
    // A breath between saves, as an installer takes, lets reads in between as well as during.
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// A reader beside a writer sees the old or the new file whole: never a missing file, never a
// part. On Windows a save's replace window refuses opens for a moment.
TEST(ReaderBesideWriter, ReadsTheValueEveryTime) {
  for (const char* how : {"library", "outside"}) {
    SCOPED_TRACE(how);
    const test::TempDir dir;
    const auto file = dir.Write("settings.xml", Settings(0));
    test::TestProcess writer(
        "ReaderBesideWriter.DISABLED_Writer",
        test::TestProcess::Environment{{"TOVREL_WRITER_FILE", ToUtf8(test::LibraryPath(file))},
                                       {"TOVREL_WRITER", how}});
    const Platform platform = MakePlatform();
    int wrong = 0;
    for (int read = 0; read < kReads; ++read) {
      if (DoXMLGetNode(*platform.xml, test::LibraryPath(file), u"CONFIG.KEEP") != u"kept") ++wrong;
    }
    dir.Write("stop", "");
    EXPECT_TRUE(writer.Passed());
    EXPECT_EQ(wrong, 0) << "of " << kReads << " reads";
    EXPECT_NE(DoXMLGetNode(*platform.xml, test::LibraryPath(file), u"CONFIG.CHANGED"), u"0")
        << "the writer saved nothing while the reader read";
  }
}

}  // namespace
}  // namespace tovrel
