#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Tovrel.h"
#include "support/TestFiles.h"
#include "support/VersionFixtures.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

namespace fs = std::filesystem;

const TovrelWideChar* W(const char16_t* text) {
  return reinterpret_cast<const TovrelWideChar*>(text);
}
const TovrelWideChar* W(const WideText& text) {
  return W(text.c_str());
}

std::string Number(std::int32_t n) {
  return std::to_string(n);
}
WideText WideNumber(std::int32_t n) {
  return WidenAscii(std::to_string(n));
}

WideText Whole(const TovrelWideChar* text) {
  return WideText(reinterpret_cast<const char16_t*>(text));
}

// Cyrillic, CJK and a character outside the BMP: no ANSI code page holds them all.
constexpr char16_t kFar[] = u"\u041A\u0438\u0457\u0432 \u6771\u4EAC \U0001F600";

// Every line the library sends while it is registered.
class HeardLines {
 public:
  HeardLines() {
    Lines().clear();
    TovrelSetLog(&HeardLines::Hear);
  }
  HeardLines(const HeardLines&) = delete;
  HeardLines& operator=(const HeardLines&) = delete;
  ~HeardLines() { TovrelSetLog(nullptr); }

  [[nodiscard]] static std::vector<WideText>& Lines() {
    static std::vector<WideText> lines;
    return lines;
  }
  [[nodiscard]] static WideText All() {
    WideText all;
    for (const WideText& line : Lines()) all += line + u"\n";
    return all;
  }

 private:
  static void TOVREL_CALL Hear(const TovrelWideChar* line) { Lines().push_back(Whole(line)); }
};

TEST(WideExports, EveryTwinAnswersAsTheEightBitExportOnTextBothHold) {
  const test::TempDir dir;
  const auto file = dir.Write("s.xml", "<CONFIG><STARTUP><LANG>pl</LANG></STARTUP></CONFIG>");
  const std::string host = test::HostPath(file);
  const WideText wide = test::LibraryPath(file);
  const std::string version = test::HostPath(test::VersionFixture("languages", "i686"));
  const WideText wide_version = test::LibraryPath(test::VersionFixture("languages", "i686"));
  const std::string folder = test::HostPath(dir.path());
  const WideText wide_folder = test::LibraryPath(dir.path());
  struct Case {
    const char* name;
    std::function<std::string()> eight_bit;
    std::function<WideText()> wide;
  };
  const Case cases[] = {
      {"XMLGetNode", [&] { return std::string(XMLGetNode(host.c_str(), "LANG")); },
       [&] { return Whole(XMLGetNodeW(W(wide), W(u"LANG"))); }},
      {"XMLAddNode", [&] { return Number(XMLAddNode(host.c_str(), "A", "1")); },
       [&] { return WideNumber(XMLAddNodeW(W(wide), W(u"A"), W(u"1"))); }},
      {"QueryVersionInfo", [&] { return std::string(QueryVersionInfo(version.c_str())); },
       [&] { return Whole(QueryVersionInfoW(W(wide_version))); }},
      {"QueryNumFromInfo", [&] { return Number(QueryNumFromInfo("9.30.1.71", 257)); },
       [&] { return WideNumber(QueryNumFromInfoW(W(u"9.30.1.71"), 257)); }},
      {"IsDirectoryEmpty", [&] { return Number(IsDirectoryEmpty(folder.c_str())); },
       [&] { return WideNumber(IsDirectoryEmptyW(W(wide_folder))); }},
      {"GetLastExcel", [] { return std::string(GetLastExcel()); },
       [] { return Whole(GetLastExcelW()); }},
      {"GetLastVL", [] { return std::string(GetLastVL()); }, [] { return Whole(GetLastVLW()); }},
      {"GetLastAS", [] { return std::string(GetLastAS()); }, [] { return Whole(GetLastASW()); }},
      {"GetLastFR", [] { return std::string(GetLastFR()); }, [] { return Whole(GetLastFRW()); }},
      {"GetLastPlatnik", [] { return std::string(GetLastPlatnik()); },
       [] { return Whole(GetLastPlatnikW()); }},
      {"XMLSaveInstalledApps", [&] { return Number(XMLSaveInstalledApps(host.c_str())); },
       [&] { return WideNumber(XMLSaveInstalledAppsW(W(wide))); }},
      {"AddToFirewall (a name no entry takes)",
       [] { return Number(AddToFirewall("C:\\a.exe", "", 1)); },
       [] { return WideNumber(AddToFirewallW(W(u"C:\\a.exe"), W(u""), 1)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string answer = c.eight_bit();
    EXPECT_EQ(c.wide(), WidenAscii(answer));
  }
  EXPECT_EQ(Whole(MyDllFuncW(W(u"x"))),
            u"xc:\\Program Files\\\u0105\u0107\u0119\u0142\u0144\u00F3\u015B\u017C\u017A");
}

TEST(WideExports, TextOutsideTheCodePagePassesWholeBothWays) {
  const test::TempDir dir;
  const fs::path far = dir.path() / fs::path(std::u16string(kFar));
  fs::create_directory(far);
  const WideText folder = test::LibraryPath(far);
  EXPECT_EQ(IsDirectoryEmptyW(W(folder)), 1);
  std::ofstream(far / "s.xml") << "<CONFIG/>";
  const WideText file = test::LibraryPath(far / "s.xml");
  EXPECT_EQ(IsDirectoryEmptyW(W(folder)), 2);
  const WideText value = u"C:\\Dane\\" + WideText(kFar);
  ASSERT_EQ(XMLAddNodeW(W(file), W(u"STARTUP.DATA"), W(value)), 1);
  EXPECT_EQ(Whole(XMLGetNodeW(W(file), W(u"STARTUP.DATA"))), value);
  fs::copy_file(test::VersionFixture("languages", "i686"), far / "v.dll");
  EXPECT_EQ(Whole(QueryVersionInfoW(W(test::LibraryPath(far / "v.dll")))), u"9.30.1.71");
  EXPECT_EQ(Whole(MyDllFuncW(W(kFar))).substr(0, WideView(kFar).size()), kFar);
}

TEST(WideExports, NullIsTheEmptyTextAndResultsAreNeverNull) {
  EXPECT_EQ(Whole(XMLGetNodeW(nullptr, nullptr)), u"Empty");
  EXPECT_EQ(XMLAddNodeW(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(XMLSaveInstalledAppsW(nullptr), 0);
  EXPECT_EQ(IsDirectoryEmptyW(nullptr), 0);
  EXPECT_EQ(QueryNumFromInfoW(nullptr, 1), 0);
  ASSERT_NE(QueryVersionInfoW(nullptr), nullptr);
  EXPECT_EQ(Whole(QueryVersionInfoW(nullptr)), u"");
  EXPECT_EQ(Whole(MyDllFuncW(nullptr)).substr(0, 3), u"c:\\");
}

TEST(WideExports, TheTwoFamiliesKeepTheirResultsApart) {
  const TovrelWideChar* wide = MyDllFuncW(W(u"wide "));
  const char* narrow = MyDllFunc("narrow ");
  const WideText wide_before = Whole(wide);
  const std::string narrow_before = narrow;
  EXPECT_STREQ(XMLGetNode(nullptr, nullptr), "Empty");
  EXPECT_EQ(Whole(wide), wide_before) << "an 8-bit call leaves the wide result alone";
  EXPECT_EQ(Whole(XMLGetNodeW(nullptr, nullptr)), u"Empty");
  EXPECT_EQ(std::string(narrow), "Empty") << "the 8-bit result is the last 8-bit answer";
  EXPECT_EQ(Whole(wide), u"Empty");
  static_cast<void>(narrow_before);
}

// Each kind of negative answer, heard with its reason; the lines hold the whole text.
TEST(WideExports, ARegisteredLogHearsEachCallAndWhyItsAnswerIsNegative) {
  const test::TempDir dir;
  const fs::path far = dir.path() / fs::path(std::u16string(kFar));
  fs::create_directory(far);
  const auto good = dir.Write("good.xml", "<R><A><B>1</B></A></R>");
  const auto bad = dir.Write("bad.xml", "<R>\n  <a></b>\n</R>\n");
  const auto read_only = dir.Write("ro.xml", "<R/>");
  const auto stale_report = dir.Write(
      "report.xml", "<R><STARTUP><INSTALLEDAPPS><FR>a</FR></INSTALLEDAPPS></STARTUP></R>");
  for (const fs::path& file : {read_only, stale_report}) {
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  }
  const WideText report_file = test::LibraryPath(stale_report);
  const WideText good_file = test::LibraryPath(good);
  const WideText bad_file = test::LibraryPath(bad);
  const WideText read_only_file = test::LibraryPath(read_only);
  const WideText missing = test::LibraryPath(far / "missing.xml");
  struct Case {
    const char* what;
    std::function<void()> call;
    std::vector<WideText> heard;
  };
  const Case cases[] = {
      {"a missing file, named whole",
       [&] { XMLGetNodeW(W(missing), W(u"A")); },
       {u"XMLGetNodeW('" + missing + u"', 'A') = 'Empty'", missing + u"': no such file"}},
      {"not well-formed",
       [&] { XMLAddNodeW(W(bad_file), W(u"R.X"), W(u"v")); },
       {u"XMLAddNodeW(", u") = 0", u"bad.xml' is not well-formed XML"}},
      {"read-only",
       [&] { XMLAddNodeW(W(read_only_file), W(u"X"), W(u"v")); },
       {u"why: '" + read_only_file + u"' is read-only"}},
      {"a missing node, naming the component",
       [&] { XMLGetNode(test::HostPath(good).c_str(), "A.C"); },
       {u"XMLGetNode(", u"why: no node 'C' anywhere below R/A"}},
      {"the report on a read-only file",
       [&] { XMLSaveInstalledAppsW(W(report_file)); },
       {u"why: section FR not written: '" + report_file + u"' is read-only"}},
      {"a version text without a number",
       [] { QueryNumFromInfoW(W(u"x"), 0); },
       {u"QueryNumFromInfoW('x', 0) = 0", u"'x' gives no number"}},
      {"no directory", [&] { IsDirectoryEmptyW(W(missing)); }, {u"no such directory"}},
      {"a file without a version",
       [&] { QueryVersionInfoW(W(good_file)); },
       {u"has no FileVersion"}},
      {"an 8-bit answer the code page cannot hold",
       [&] {
         XMLAddNodeW(W(good_file), W(u"A.F"), W(kFar));
         XMLGetNode(test::HostPath(good).c_str(), "A.F");
       },
       {u"note: code page ", u"cannot hold every character of '" + WideText(kFar) + u"'",
        u"the W function passes it whole"}},
      {"a lookup that finds nothing",
       [] { GetLastASW(); },
       {u"GetLastASW() = ''", u"why: no Astrelo installation found"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const HeardLines heard;
    c.call();
    const WideText all = HeardLines::All();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.rfind(u"Tovrel: ", 0), 0u);
    for (const WideText& part : c.heard) {
      EXPECT_NE(all.find(part), WideText::npos) << "missing: " << ToUtf8(part) << " in\n"
                                                << ToUtf8(all);
    }
  }
}

int g_heard = 0;

void TOVREL_CALL CountAndCallAgain(const TovrelWideChar*) {
  ++g_heard;
  MyDllFuncW(nullptr);  // a call made while a line is heard is not heard itself
}

TEST(WideExports, NothingIsHeardWithoutALogNorFromInsideIt) {
  int& heard = g_heard;
  heard = 0;
  TovrelSetLog(&CountAndCallAgain);
  EXPECT_EQ(QueryNumFromInfoW(W(u"1.2."), 0), 102);
  EXPECT_EQ(heard, 1) << "one line for a positive answer, none for the call inside";
  TovrelSetLog(nullptr);
  EXPECT_EQ(QueryNumFromInfoW(W(u"x"), 0), 0);
  EXPECT_EQ(heard, 1) << "nothing after the log is unregistered";
}

}  // namespace
}  // namespace tovrel
