#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "text/Utf16Le.h"
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

TEST_F(FileLayout, AOneLineFileKeepsItsReportSectionsOnTheLine) {
  const std::string original =
      "<R><STARTUP><INSTALLEDAPPS><VL><APP1 NAME=\"x\">D</APP1><!--c--></VL><AS/></INSTALLEDAPPS>"
      "</STARTUP></R>";
  const auto file = Settings(original);
  const SettingsServices services{*platform_.xml, *platform_.files};
  InstalledAppsList list;
  list.Add(u"C:\\A", u"Astrelo \"9\" & <b>");
  ASSERT_EQ(XMLWriteAppList(services, list, test::LibraryPath(file), u"STARTUP.INSTALLEDAPPS.VL"),
            SectionWrite::kSaved);
  ASSERT_EQ(XMLWriteAppList(services, InstalledAppsList(), test::LibraryPath(file),
                            u"STARTUP.INSTALLEDAPPS.AS"),
            SectionWrite::kSaved);
  EXPECT_EQ(ReadBytes(file),
            "<R><STARTUP><INSTALLEDAPPS><VL><APP1 NAME=\"Astrelo &quot;9&quot; &amp; &lt;b&gt;\">"
            "C:\\A</APP1></VL></INSTALLEDAPPS></STARTUP></R>");
}

std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = EncodeUtf16Le(text);
  if (big_endian) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
  }
  return bytes;
}

// Outside the element that changes, every byte stays as it was, whatever the layout, encoding or
// markup around it; both backends write the same bytes.
TEST_F(FileLayout, AWriteChangesOnlyTheBytesItMust) {
  const std::string long_line = "<R a=\"" + std::string(5000, 'x') + "\">\r\n";
  const struct {
    const char* what;
    std::string original;
    const char16_t* path;
    const char16_t* value;
    std::string expected;
  } cases[] = {
      {"one line", "<R><A>1</A></R>", u"R.B", u"v", "<R><A>1</A><B>v</B></R>"},
      {"a first line longer than 4 KiB", long_line + "  <A>1</A>\r\n</R>\r\n", u"B", u"v",
       long_line + "  <A>1</A>\r\n  <B>v</B>\r\n</R>\r\n"},
      {"a first line ending in LF", "<?xml version=\"1.0\"?>\n<R>\r\n  <A>1</A>\r\n</R>\r\n", u"B",
       u"v", "<?xml version=\"1.0\"?>\n<R>\r\n  <A>1</A>\r\n  <B>v</B>\r\n</R>\r\n"},
      {"CR only", "<R>\r  <A>1</A>\r</R>\r", u"B", u"v", "<R>\r  <A>1</A>\r  <B>v</B>\r</R>\r"},
      {"blank lines and a comment on the root's line",
       "<?xml version=\"1.0\"?>\n\n<!-- c --><S>\n  <A>1</A>\n</S>\n\n<!-- end -->\n\n", u"A", u"2",
       "<?xml version=\"1.0\"?>\n\n<!-- c --><S>\n  <A>2</A>\n</S>\n\n<!-- end -->\n\n"},
      {"a one-line DOCTYPE, no final line end",
       "<!DOCTYPE R [<!ELEMENT R ANY><!ENTITY e \"x\">]>\n<R>\n  <A>1</A>\n</R>", u"A", u"2",
       "<!DOCTYPE R [<!ELEMENT R ANY><!ENTITY e \"x\">]>\n<R>\n  <A>2</A>\n</R>"},
      {"attributes, quotes, references and an empty pair of tags",
       "<R\n   a='1'\n   b = \"2\" >\n  <A  x = \"1\" >1</A>\n  <E></E>\n  <F>&#65;></F>\n</R>\n",
       u"A", u"v",
       "<R\n   a='1'\n   b = \"2\" >\n  <A  x = \"1\" >v</A>\n  <E></E>\n  <F>&#65;></F>\n</R>\n"},
      {"an empty root in a file of lines", "<?xml version=\"1.0\"?>\n<STARTUP/>\n", u"STARTUP.A.B",
       u"2", "<?xml version=\"1.0\"?>\n<STARTUP>\n  <A>\n    <B>2</B>\n  </A>\n</STARTUP>\n"},
      {"an empty element with attributes", "<R>\n  <S a=\"1\" />\n</R>", u"S", u"v",
       "<R>\n  <S a=\"1\" >v</S>\n</R>"},
      {"an empty element gets a child", "<R>\n  <S/>\n</R>\n", u"S.X", u"v",
       "<R>\n  <S>\n    <X>v</X>\n  </S>\n</R>\n"},
      {"a default namespace", "<R xmlns=\"urn:x\">\n  <A>1</A>\n</R>\n", u"B", u"v",
       "<R xmlns=\"urn:x\">\n  <A>1</A>\n  <B>v</B>\n</R>\n"},
      {"tabs and mixed indentation", "<R>\n\t<A>\n\t    <X>1</X>\n\t</A>\n</R>\n", u"A.Y", u"v",
       "<R>\n\t<A>\n\t    <X>1</X>\n\t    <Y>v</Y>\n\t</A>\n</R>\n"},
      {"comments and instructions everywhere",
       "<?xml version=\"1.0\"?>\n<?pi a?>\n<!--1-->\n<R><!--2-->\n  <?pi b?>\n  <A><!--3-->1</A>\n"
       "  <!--4-->\n</R>\n<!--5-->\n<?pi c?>",
       u"B", u"v",
       "<?xml version=\"1.0\"?>\n<?pi a?>\n<!--1-->\n<R><!--2-->\n  <?pi b?>\n  <A><!--3-->1</A>\n"
       "  <!--4-->\n  <B>v</B>\n</R>\n<!--5-->\n<?pi c?>"},
      {"CDATA", "<R>\n  <C> <![CDATA[q<]]>\n</C>\n</R>\n", u"C", u"a&b",
       "<R>\n  <C> <![CDATA[a&b]]>\n</C>\n</R>\n"},
      {"markup in a value", "<R>\n  <A>1</A>\n</R>\n", u"A", u"<&>\"\r",
       "<R>\n  <A>&lt;&amp;&gt;\"&#13;</A>\n</R>\n"},
      {"a BOM and no final line end", "\xEF\xBB\xBF<R>\n  <A>1</A>\n</R>", u"B", u"v",
       "\xEF\xBB\xBF<R>\n  <A>1</A>\n  <B>v</B>\n</R>"},
      {"two line ends at the end", "<R>\n  <A>1</A>\n</R>\n\n", u"A", u"2",
       "<R>\n  <A>2</A>\n</R>\n\n"},
      {"ISO-8859-1, a character it lacks",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<R>\n  <A>\xE9</A>\n</R>\n", u"B",
       u"\u00E9\u0416\U0001F600",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<R>\n  <A>\xE9</A>\n"
       "  <B>\xE9&#1046;&#128512;</B>\n</R>\n"},
      {"windows-1250",
       "<?xml version='1.0' encoding='windows-1250'?>\r\n<R>\r\n  <A>\xB9</A>\r\n</R>", u"A.\u0141",
       u"\u017B",
       "<?xml version='1.0' encoding='windows-1250'?>\r\n<R>\r\n  <A>\xB9<\xA3>\xAF</\xA3></A>\r\n"
       "</R>"},
      {"UTF-16LE with CRLF", Utf16(u"\uFEFF<R>\r\n  <A>\u0105</A>\r\n</R>\r\n", false), u"B",
       u"\u017C", Utf16(u"\uFEFF<R>\r\n  <A>\u0105</A>\r\n  <B>\u017C</B>\r\n</R>\r\n", false)},
      {"UTF-16BE with a declaration",
       Utf16(u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<R>\n  <A>1</A>\n</R>", true),
       u"A", u"2",
       Utf16(u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<R>\n  <A>2</A>\n</R>", true)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto file = Settings(c.original);
    ASSERT_EQ(Add(file, c.path, c.value), 1);
    EXPECT_EQ(ReadBytes(file), c.expected);
    EXPECT_EQ(DoXMLGetNode(*platform_.xml, test::LibraryPath(file), c.path), c.value);
  }
}

}  // namespace
}  // namespace tovrel
