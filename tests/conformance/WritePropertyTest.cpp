#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "text/Utf8.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

// Random settings files, paths and values, with the promises of a write as invariants: 1 means
// the file reads back the value where a read looks and only one span of its bytes changed; 0
// means not one byte changed. Bounded, so that it runs in every suite; seeded, so that a failure
// names its case.
class RandomCase {
 public:
  explicit RandomCase(std::uint32_t seed) : random_(seed) {}

  std::string Document() {
    std::string xml =
        Pick({"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "<?xml version=\"1.0\"?>\r\n"});
    Element(xml, "R", 0);
    return xml + Pick({"", "\n", "<!-- end -->\n"});
  }

  std::string Path() {
    std::string path = Name();
    const int more = Below(3);
    for (int i = 0; i < more; ++i) {
      path += '.';
      path += Name();
    }
    return path;
  }

  std::string Value() {
    static const std::vector<std::string> pieces = {"v",
                                                    "1",
                                                    " ",
                                                    "a b",
                                                    "&",
                                                    "<",
                                                    ">",
                                                    "\"",
                                                    "'",
                                                    "]]>",
                                                    "\r",
                                                    "\n",
                                                    "\t",
                                                    "\xC4\x85",
                                                    "\xE6\x9D\xB1",
                                                    "\xF0\x9F\x98\x80",
                                                    "C:\\Dane\\"};
    std::string value;
    const int count = Below(4);
    for (int i = 0; i < count; ++i) value += pieces[static_cast<std::size_t>(Below(17))];
    return value;
  }

 private:
  int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
  std::string Pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Below(static_cast<int>(choices.size())));
  }
  std::string Name() { return Pick({"A", "B", "C", "STARTUP"}); }

  void Element(std::string& xml, const std::string& name, int depth) {
    // Built by appending: GCC 12 takes "<" + a temporary for an overlapping copy (-Wrestrict).
    xml += '<';
    xml += name;
    if (Below(4) == 0) xml += " k=\"1\"";
    const int children = depth >= 3 ? 0 : Below(4);
    const int kind = Below(6);
    if (children == 0 && kind == 0) {
      xml += "/>";
      return;
    }
    xml += ">";
    if (children == 0) {
      xml += kind == 1 ? "<![CDATA[c<d]]>" : kind == 2 ? " t " : kind == 3 ? "a&amp;b" : "t";
    }
    for (int i = 0; i < children; ++i) {
      xml += Pick({"", "\n  ", " ", "<!-- c -->"});
      Element(xml, Name(), depth + 1);
    }
    xml += Pick({"", "\n"});
    xml += "</";
    xml += name;
    xml += '>';
  }

  std::mt19937 random_;
};

// Whether the two texts differ in at most one span: what lies before and after it is the same.
bool OneSpanChanged(const std::string& before, const std::string& after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return prefix + suffix <= before.size() && prefix + suffix <= after.size();
}

TEST(WriteProperties, HoldForRandomFilesPathsAndValues) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const SettingsServices services{*platform.xml, *platform.files};
  int written = 0;
  constexpr std::uint32_t kCases = 400;
  for (std::uint32_t seed = 1; seed <= kCases; ++seed) {
    RandomCase random(seed);
    const std::string original = random.Document();
    const std::string path = random.Path();
    const std::string value = random.Value();
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + original + " | " + path + " | " + value);
    const auto file = dir.Write("s.xml", original);
    const WideText library_file = test::LibraryPath(file);
    const WideText wide_value = FromUtf8(value);
    const std::int32_t answer = DoXMLAddNode(services, library_file, FromUtf8(path), wide_value);
    const std::string after = test::ReadBytes(file);
    if (answer == 0) {
      EXPECT_EQ(after, original) << "a 0 changes not one byte";
      continue;
    }
    ++written;
    EXPECT_TRUE(OneSpanChanged(original, after)) << after;
    // A single component is searched anywhere below the root by the read, as by the write. A
    // value of blanks alone reads back empty: whitespace-only text is no text to a read.
    const bool blank = value.find_first_not_of(" \t\r\n") == std::string::npos;
    if (path.find('.') == std::string::npos && !blank) {
      EXPECT_EQ(DoXMLGetNode(*platform.xml, library_file, FromUtf8(path)), wide_value) << after;
    }
    // The same write again finds what the first one set or made, and changes nothing.
    EXPECT_EQ(DoXMLAddNode(services, library_file, FromUtf8(path), wide_value), 1);
    EXPECT_EQ(test::ReadBytes(file), after) << "a repeated write changes nothing";
  }
  EXPECT_GT(written, static_cast<int>(kCases) / 2) << "the cases exercise writes";
}

}  // namespace
}  // namespace tovrel
