#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "support/XmlOutline.h"
#include "text/Utf8.h"
#include "xmlsettings/InstalledAppsReport.h"
#include "xmlsettings/NodePath.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {
namespace {

constexpr WideView kExcel = u"STARTUP.INSTALLEDAPPS.EXCEL";

class ReportSections : public testing::Test {
 protected:
  SectionWrite Write(const std::filesystem::path& file, const InstalledAppsList& list,
                     WideView path = kExcel) const {
    return XMLWriteAppList({*platform_.xml, *platform_.files}, list, test::LibraryPath(file), path);
  }
  std::string Outline(const std::filesystem::path& file) const {
    return test::XmlOutline(*platform_.xml, file);
  }

  Platform platform_ = MakePlatform();
  test::TempDir dir_;
};

TEST_F(ReportSections, ReplaceEverythingInTheSection) {
  const auto file = dir_.Write(
      "s.xml",
      "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL>old<!--c--><APP1 NAME=\"x\">y</APP1><Z/></EXCEL>"
      "<VL><APP1 NAME=\"Velmora 9.21a\">D:\\Acct</APP1></VL></INSTALLEDAPPS></STARTUP></CONFIG>");
  InstalledAppsList list;
  list.Add(u"C:\\Office14", u"Office 2010 (14.0)");
  list.Add(u"C:\\", u" (9.0)");
  ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
  EXPECT_EQ(
      Outline(file),
      "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL>"
      "<APP1 NAME=\"Office 2010 (14.0)\">C:\\Office14</APP1>"
      "<APP2 NAME=\" (9.0)\">C:\\</APP2></EXCEL>"
      "<VL><APP1 NAME=\"Velmora 9.21a\">D:\\Acct</APP1></VL></INSTALLEDAPPS></STARTUP></CONFIG>");
  const std::string once = test::ReadBytes(file);
  ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
  EXPECT_EQ(test::ReadBytes(file), once) << "a second run writes the same file";
}

TEST_F(ReportSections, EmptyListRemovesTheSection) {
  const auto file =
      dir_.Write("s.xml",
                 "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL><APP1 NAME=\"a\">b</APP1></EXCEL>"
                 "</INSTALLEDAPPS></STARTUP></CONFIG>");
  ASSERT_EQ(Write(file, InstalledAppsList()), SectionWrite::kSaved);
  EXPECT_EQ(Outline(file), "<CONFIG><STARTUP><INSTALLEDAPPS/></STARTUP></CONFIG>");
}

TEST_F(ReportSections, NothingToListAndNoSectionLeavesTheFileAlone) {
  const std::string original = "<CONFIG>  <OTHER/></CONFIG>";
  const auto file = dir_.Write("s.xml", original);
  EXPECT_EQ(Write(file, InstalledAppsList()), SectionWrite::kNothingToDo);
  EXPECT_EQ(test::ReadBytes(file), original);
}

TEST_F(ReportSections, MissingSectionIsCreatedBelowARootNamedStartup) {
  const auto file = dir_.Write("s.xml", "<STARTUP/>");
  InstalledAppsList list;
  list.Add(u"D:\\Acct", u"Velmora 9.30");
  ASSERT_EQ(Write(file, list, u"STARTUP.INSTALLEDAPPS.VL"), SectionWrite::kSaved);
  EXPECT_EQ(Outline(file),
            "<STARTUP><INSTALLEDAPPS><VL><APP1 NAME=\"Velmora 9.30\">D:\\Acct</APP1></VL>"
            "</INSTALLEDAPPS></STARTUP>");
}

TEST_F(ReportSections, DirectoryAndNameAreWrittenWholeWithoutWhatXmlCannotHold) {
  const auto file = dir_.Write("s.xml", "<CONFIG/>");
  InstalledAppsList list;
  list.Add(u"D:\\A=B", u"Velmora 9.30");
  // A lone surrogate of either half, U+0000, U+0001 and U+FFFE go; a surrogate pair stays.
  const WideText directory = u"D:\\C\u0001D" + WideText(1, char16_t{0xD800});
  const WideText name = u"Velmora a" + WideText(1, u'\0') + u"b\uFFFE" +
                        WideText(1, char16_t{0xDC00}) + u"\U0001F600";
  list.Add(directory, name);
  ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
  EXPECT_EQ(Outline(file),
            "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL><APP1 NAME=\"Velmora 9.30\">D:\\A=B</APP1>"
            "<APP2 NAME=\"Velmora ab\xF0\x9F\x98\x80\">D:\\CD</APP2>"
            "</EXCEL></INSTALLEDAPPS></STARTUP></CONFIG>");
}

// A blank other than the space in a display name reads back as itself, not as the space that
// attribute normalisation makes of a raw one; so does each character with a meaning in XML.
TEST_F(ReportSections, DisplayNamesReadBackExactly) {
  for (const WideView name : {u"a\tb", u"a\nb", u"a\rb", u"a\t\n\r b", u"a\"b<c>&d'e"}) {
    const auto file = dir_.Write("s.xml", "<CONFIG/>");
    InstalledAppsList list;
    list.Add(u"D:\\X", name);
    ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
    const auto document = LoadSettingsFile(*platform_.xml, test::LibraryPath(file));
    ASSERT_TRUE(document);
    const XmlNodePtr app =
        XMLFindNode(*document->DocumentElement(), u"STARTUP.INSTALLEDAPPS.EXCEL.APP1");
    ASSERT_TRUE(app);
    const std::vector<std::pair<WideText, WideText>> expected = {{u"NAME", WideText(name)}};
    EXPECT_EQ(app->Attributes(), expected) << ToUtf8(name);
  }
}

// Wherever a layout puts the section, the node a run writes is the node the next run clears, and
// an empty list removes it again.
TEST_F(ReportSections, RerunsGiveTheSameFileForEveryLayout) {
  const char* const layouts[] = {
      "<CONFIG><STARTUP><OLD><INSTALLEDAPPS/></OLD></STARTUP></CONFIG>",
      "<CONFIG><OTHER/></CONFIG>",
      "<CONFIG><STARTUP><X><INSTALLEDAPPS><EXCEL><APP1 NAME=\"a\">b</APP1></EXCEL>"
      "</INSTALLEDAPPS></X></STARTUP></CONFIG>",
      "<STARTUP><INSTALLEDAPPS/></STARTUP>",
      "<CONFIG><STARTUP><INSTALLEDAPPS><EXCEL/></INSTALLEDAPPS><INSTALLEDAPPS><EXCEL/>"
      "</INSTALLEDAPPS></STARTUP></CONFIG>",
      "<CONFIG><STARTUP><INSTALLEDAPPS><Q><EXCEL/></Q><EXCEL/></INSTALLEDAPPS></STARTUP></CONFIG>",
  };
  InstalledAppsList list;
  list.Add(u"C:\\Office14", u"Office 2010 (14.0)");
  list.Add(u"C:\\", u" (9.0)");
  for (const char* layout : layouts) {
    SCOPED_TRACE(layout);
    const auto file = dir_.Write("s.xml", layout);
    ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
    const std::string once = test::ReadBytes(file);
    ASSERT_EQ(Write(file, list), SectionWrite::kSaved);
    EXPECT_EQ(test::ReadBytes(file), once);
    const std::string outline = Outline(file);
    EXPECT_EQ(outline.find("<APP3"), std::string::npos) << outline;
    EXPECT_EQ(outline.find("<APP1 NAME=\"Office"), outline.rfind("<APP1 NAME=\"Office")) << outline;

    ASSERT_EQ(Write(file, InstalledAppsList()), SectionWrite::kSaved);
    EXPECT_EQ(Outline(file).find("Office"), std::string::npos) << Outline(file);
  }
}

// A section the file holds more than once is written as one: the first run leaves one copy with
// the entries, or none, and the second run changes nothing.
TEST_F(ReportSections, ASectionFoundMoreThanOnceIsWrittenAsOne) {
  constexpr WideView kFerrolin = u"STARTUP.INSTALLEDAPPS.FR";
  constexpr char kTwo[] = "<STARTUP><INSTALLEDAPPS><FR>a</FR><FR>b</FR></INSTALLEDAPPS></STARTUP>";
  constexpr char kNested[] =
      "<STARTUP><INSTALLEDAPPS><FR>a<FR/></FR><X><FR>b</FR></X></INSTALLEDAPPS></STARTUP>";
  constexpr char kEntry[] = "<FR><APP1 NAME=\"Ferrolin 11.0\">D:\\Fer</APP1></FR>";
  InstalledAppsList listed;
  listed.Add(u"D:\\Fer", u"Ferrolin 11.0");
  struct Case {
    const char* what;
    const char* original;
    const InstalledAppsList* list;
    std::string outline;
  };
  const InstalledAppsList none;
  const Case cases[] = {
      {"two copies, nothing found", kTwo, &none, "<STARTUP><INSTALLEDAPPS/></STARTUP>"},
      {"two copies, one found", kTwo, &listed,
       std::string("<STARTUP><INSTALLEDAPPS>") + kEntry + "</INSTALLEDAPPS></STARTUP>"},
      {"copies inside and deeper, nothing found", kNested, &none,
       "<STARTUP><INSTALLEDAPPS><X/></INSTALLEDAPPS></STARTUP>"},
      {"copies inside and deeper, one found", kNested, &listed,
       std::string("<STARTUP><INSTALLEDAPPS>") + kEntry + "<X/></INSTALLEDAPPS></STARTUP>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto file = dir_.Write("s.xml", c.original);
    ASSERT_EQ(Write(file, *c.list, kFerrolin), SectionWrite::kSaved);
    EXPECT_EQ(Outline(file), c.outline);
    const std::string once = test::ReadBytes(file);
    EXPECT_NE(Write(file, *c.list, kFerrolin), SectionWrite::kFailed);
    EXPECT_EQ(test::ReadBytes(file), once) << "the second run changes nothing";
  }
}

TEST_F(ReportSections, FailuresLeaveTheFileAsItWas) {
  InstalledAppsList list;
  list.Add(u"C:\\X", u"Y");
  EXPECT_EQ(Write(dir_.path() / "missing.xml", list), SectionWrite::kFailed);
  const std::string malformed = "<CONFIG>";
  const auto bad = dir_.Write("bad.xml", malformed);
  EXPECT_EQ(Write(bad, list), SectionWrite::kFailed);
  EXPECT_EQ(test::ReadBytes(bad), malformed);
  const std::string original = "<CONFIG><STARTUP/></CONFIG>";
  const auto locked = dir_.Write("locked.xml", original);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(Write(locked, list), SectionWrite::kFailed);
  EXPECT_EQ(test::ReadBytes(locked), original);
}

}  // namespace
}  // namespace tovrel
