#include "support/WriteProperty.h"

#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "text/Utf8.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel::test {
namespace {

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

}  // namespace

RandomWrite::RandomWrite(Below below) : below_(std::move(below)) {
  Draw();
}

void RandomWrite::Draw() {
  document =
      Pick({"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "<?xml version=\"1.0\"?>\r\n"});
  Element(document, "R", 0);
  document += Pick({"", "\n", "<!-- end -->\n"});

  path = Name();
  const int more = below_(3);
  for (int i = 0; i < more; ++i) {
    path += '.';
    path += Name();
  }

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
  const int count = below_(4);
  for (int i = 0; i < count; ++i) {
    value += pieces[static_cast<std::size_t>(below_(static_cast<int>(pieces.size())))];
  }
}

std::string RandomWrite::Pick(std::initializer_list<const char*> choices) {
  return *(choices.begin() + below_(static_cast<int>(choices.size())));
}

std::string RandomWrite::Name() {
  return Pick({"A", "B", "C", "STARTUP"});
}

void RandomWrite::Element(std::string& xml, const std::string& name, int depth) {
  // Built by appending: GCC 12 takes "<" + a temporary for an overlapping copy (-Wrestrict).
  xml += '<';
  xml += name;
  if (below_(4) == 0) xml += " k=\"1\"";
  const int children = depth >= 3 ? 0 : below_(4);
  const int kind = below_(6);
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

std::string BrokenWritePromise(const Platform& platform, const std::filesystem::path& file,
                               const WideText& library_file, const RandomWrite& write,
                               bool& written) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << write.document;
  const SettingsServices services{*platform.xml, *platform.files};
  const WideText path = FromUtf8(write.path);
  const WideText value = FromUtf8(write.value);
  written = DoXMLAddNode(services, library_file, path, value) == 1;
  const std::string after = FileBytes(file);
  if (!written) return after == write.document ? "" : "a 0 changed bytes: " + after;
  if (!OneSpanChanged(write.document, after)) return "more than one span changed: " + after;
  // A single component is searched anywhere below the root by the read, as by the write. A
  // value of blanks alone reads back empty: whitespace-only text is no text to a read.
  const bool blank = write.value.find_first_not_of(" \t\r\n") == std::string::npos;
  if (write.path.find('.') == std::string::npos && !blank &&
      DoXMLGetNode(*platform.xml, library_file, path) != value) {
    return "the value does not read back: " + after;
  }
  if (DoXMLAddNode(services, library_file, path, value) != 1 || FileBytes(file) != after) {
    return "the same write again changed the file: " + after;
  }
  return "";
}

}  // namespace tovrel::test
