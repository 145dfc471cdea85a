#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "xmlsettings/InstalledAppsReport.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

using test::ReadBytes;

// An indented settings file with Windows line ends, a blank line and a comment.
constexpr char kIndented[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- settings -->\r\n"
    "<CONFIG>\r\n"
    "  <STARTUP>\r\n"
    "    <LANGUAGE>PL</LANGUAGE>\r\n"
    "\r\n"
    "    <X>one</X>\r\n"
    "    <INSTALLEDAPPS>\r\n"
    "      <VL>\r\n"
    "        <APP1 NAME=\"Velmora 9.30a\">D:\\Velmora</APP1>\r\n"
    "      </VL>\r\n"
    "      <AS/>\r\n"
    "    </INSTALLEDAPPS>\r\n"
    "    <BLANK>   </BLANK>\r\n"
    "  </STARTUP>\r\n"
    "  <OTHER>\r\n"
    "  </OTHER>\r\n"
    "</CONFIG>\r\n";

class FileLayout : public testing::Test {
 protected:
  std::filesystem::path Settings(std::string_view content) const {
    return dir_.Write("settings.xml", content);
  }
  std::int32_t Add(const std::filesystem::path& file, WideView path, WideView value) const {
    return DoXMLAddNode({*platform_.xml, *platform_.files}, test::LibraryPath(file), path, value);
  }
  // `original` with the lines from `first` to `last` (counted from 0) replaced by `lines`.
  static std::string Replaced(std::string original, std::size_t first, std::size_t last,
                              const std::string& lines) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < first; ++i) start = original.find('\n', start) + 1;
    std::size_t end = start;
    for (std::size_t i = first; i < last; ++i) end = original.find('\n', end) + 1;
    return original.replace(start, end - start, lines);
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

TEST_F(FileLayout, ChangingAValueChangesItsLineOnly) {
  const auto file = Settings(kIndented);
  ASSERT_EQ(Add(file, u"STARTUP.X", u"two"), 1);
  EXPECT_EQ(ReadBytes(file), Replaced(kIndented, 6, 7, "    <X>two</X>\r\n"));
  ASSERT_EQ(Add(file, u"BLANK", u"set"), 1);
  EXPECT_EQ(ReadBytes(file), Replaced(Replaced(kIndented, 6, 7, "    <X>two</X>\r\n"), 13, 14,
                                      "    <BLANK>set</BLANK>\r\n"));
}

TEST_F(FileLayout, NewElementsAreLaidOutLikeTheirNeighbours) {
  const auto file = Settings(kIndented);
  ASSERT_EQ(Add(file, u"STARTUP.INSTALLEDAPPS.FR", u"C:\\F"), 1);
  ASSERT_EQ(Add(file, u"OTHER.A.B", u"v"), 1);
  const std::string with_fr = Replaced(kIndented, 12, 12, "      <FR>C:\\F</FR>\r\n");
  EXPECT_EQ(ReadBytes(file), Replaced(with_fr, 17, 17,
                                      "    <A>\r\n"
                                      "      <B>v</B>\r\n"
                                      "    </A>\r\n"));
}

TEST_F(FileLayout, ReportSectionsAreWrittenOneEntryALineAndRemovedWithoutABlankLine) {
  const auto file = Settings(kIndented);
  const SettingsServices services{*platform_.xml, *platform_.files};
  InstalledAppsList list;
  list.Add(u"C:\\A", u"Astrelo 9.30a");
  list.Add(u"D:\\A", u"Astrelo 9.21b");
  ASSERT_EQ(XMLWriteAppList(services, list, test::LibraryPath(file), u"STARTUP.INSTALLEDAPPS.AS"),
            SectionWrite::kSaved);
  ASSERT_EQ(XMLWriteAppList(services, InstalledAppsList(), test::LibraryPath(file),
                            u"STARTUP.INSTALLEDAPPS.VL"),
            SectionWrite::kSaved);
  EXPECT_EQ(ReadBytes(file), Replaced(kIndented, 8, 12,
                                      "      <AS>\r\n"
                                      "        <APP1 NAME=\"Astrelo 9.30a\">C:\\A</APP1>\r\n"
                                      "        <APP2 NAME=\"Astrelo 9.21b\">D:\\A</APP2>\r\n"
                                      "      </AS>\r\n"));
}

// What the parser forgets is put back: the declaration as written (or none), line ends, the end
// of the file, and a file of one line stays one line.
TEST_F(FileLayout, DeclarationLineEndsAndEndingStayAsTheyWere) {
  const struct {
    const char* original;
    const char* path;
    const char* expected;
  } cases[] = {
      {"<R><A>1</A></R>", "R.B", "<R><A>1</A><B>v</B></R>"},
      {"<?xml version='1.0' standalone='yes'?>\n<R>\n  <A>1</A>\n</R>", "A",
       "<?xml version='1.0' standalone='yes'?>\n<R>\n  <A>v</A>\n</R>"},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n\n<!--c-->\n<?pi x?>\n<R>\n\t<A>1</A>\n</R>\n\n", "B",
       "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n\n<!--c-->\n<?pi x?>\n<R>\n\t<A>1</A>\n\t<B>v</B>\n"
       "</R>\n"},
      {"<R>\r\n  <A>line one\r\nline two</A>\r\n</R>\r\n", "B",
       "<R>\r\n  <A>line one\r\nline two</A>\r\n  <B>v</B>\r\n</R>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.original);
    const auto file = Settings(c.original);
    ASSERT_EQ(Add(file, WidenAscii(c.path), u"v"), 1);
    EXPECT_EQ(ReadBytes(file), c.expected);
  }
}

}  // namespace
}  // namespace tovrel
