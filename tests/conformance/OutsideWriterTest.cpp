#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "reasons/XmlReasons.h"
#include "support/TestFiles.h"
#include "xmlsettings/InstalledAppsReport.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

// The platform's file system, where another program saves the file between a change's load and
// its replace, as often as it is told: the seam that no timing could hit reliably.
class OutsideWriter final : public FileSystem {
 public:
  OutsideWriter(const FileSystem& files, std::function<void()> save, int saves)
      : files_(files), save_(std::move(save)), saves_(saves) {}

  [[nodiscard]] bool FileExists(WideView path) const override { return files_.FileExists(path); }
  [[nodiscard]] FileFacts Describe(WideView path) const override { return files_.Describe(path); }
  [[nodiscard]] std::optional<FileStamp> Stamp(WideView path) const override {
    return files_.Stamp(path);
  }
  [[nodiscard]] std::unique_ptr<FileChangeLock> LockForChange(
      WideView path, std::chrono::milliseconds wait) const override {
    return files_.LockForChange(path, wait);
  }
  [[nodiscard]] Replaced ReplaceFileUnlessChanged(
      WideView path, const ContentWriter& write,
      const std::optional<FileStamp>& loaded) const override {
    if (saves_ > 0) {
      --saves_;
      save_();
    }
    return files_.ReplaceFileUnlessChanged(path, write, loaded);
  }

 private:
  const FileSystem& files_;
  std::function<void()> save_;
  mutable int saves_;
};

constexpr char kOriginal[] = "<R><A>1</A><B>x</B></R>";

// Another program's save: a new file put in place, or the same file written over in place with
// as many bytes (which only the content hash tells apart, when the clock is coarse).
void SaveInOneStep(const FileSystem& files, const std::filesystem::path& file,
                   const std::string& bytes) {
  ASSERT_TRUE(files.ReplaceFileContents(test::LibraryPath(file), bytes));
}
void SaveInPlace(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out) << bytes;
}

TEST(OutsideWriter, AChangeIsMadeAgainOnWhatAnotherProgramSavedAndNeverOverwritesIt) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("s.xml", kOriginal);
  struct Case {
    const char* what;
    int saves;
    std::function<void(int)> save;
    std::int32_t answer;
    std::string after;
  };
  const Case cases[] = {
      {"one save in one step", 1,
       [&](int) { SaveInOneStep(*platform.files, file, "<R><A>22</A><B>x</B></R>"); }, 1,
       "<R><A>22</A><B>y</B></R>"},
      {"one save in place, as many bytes", 1,
       [&](int) { SaveInPlace(file, "<R><A>2</A><B>x</B></R>"); }, 1, "<R><A>2</A><B>y</B></R>"},
      {"three saves, the last try succeeds", 3,
       [&](int n) {
         SaveInOneStep(*platform.files, file,
                       "<R><A>" + std::to_string(10 + n) + "</A><B>x</B></R>");
       },
       1, "<R><A>13</A><B>y</B></R>"},
      {"a save during every try", 4,
       [&](int n) {
         SaveInOneStep(*platform.files, file,
                       "<R><A>" + std::to_string(10 + n) + "</A><B>x</B></R>");
       },
       0, "<R><A>14</A><B>x</B></R>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SaveInOneStep(*platform.files, file, kOriginal);
    int count = 0;
    const OutsideWriter files(
        *platform.files, [&] { c.save(++count); }, c.saves);
    const SettingsServices services{*platform.xml, files};
    ChangeStop stop = ChangeStop::kSaved;
    EXPECT_EQ(DoXMLAddNode(services, test::LibraryPath(file), u"B", u"y", &stop), c.answer);
    EXPECT_EQ(test::ReadBytes(file), c.after);
    if (c.answer == 0) {
      EXPECT_EQ(stop, ChangeStop::kChangedMeanwhile);
      const Reasons why = XMLAddNodeReasons(services, test::LibraryPath(file), u"B", u"y", stop);
      ASSERT_EQ(why.size(), 1u);
      EXPECT_NE(why.front().text.find(u"saved by another program"), WideText::npos);
    }
  }
}

TEST(OutsideWriter, AReportSectionKeepsWhatAnotherProgramSaved) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("s.xml", "<R><STARTUP><OTHER>1</OTHER></STARTUP></R>");
  const OutsideWriter files(
      *platform.files,
      [&] { SaveInOneStep(*platform.files, file, "<R><STARTUP><OTHER>2</OTHER></STARTUP></R>"); },
      1);
  InstalledAppsList list;
  list.Add(u"C:\\F", u"Ferrolin 11.0");
  EXPECT_EQ(XMLWriteAppList({*platform.xml, files}, list, test::LibraryPath(file),
                            u"STARTUP.INSTALLEDAPPS.FR"),
            SectionWrite::kSaved);
  EXPECT_EQ(
      test::ReadBytes(file),
      "<R><STARTUP><OTHER>2</OTHER><INSTALLEDAPPS><FR><APP1 NAME=\"Ferrolin 11.0\">C:\\F</APP1>"
      "</FR></INSTALLEDAPPS></STARTUP></R>");
}

}  // namespace
}  // namespace tovrel
