#include <gtest/gtest.h>

#include <string>

#include "platform/xml/XmlEdits.h"
#include "platform/xml/XmlTextScanner.h"

namespace tovrel {
namespace {

// Every stretch of the file copied between two changes ends in blanks here, and each must be
// copied whole, however many there are in a large file.
TEST(XmlSplice, PiecesEndingInBlanksAreCopiedWhole) {
  std::string original = "<R>";
  std::string expected = original;
  for (int i = 0; i < 2000; ++i) {
    const std::string indent = "\r\n" + std::string(8 + i % 9, i % 2 ? ' ' : '\t');
    original += indent + "<C>  \t<![CDATA[" + std::to_string(i) + "]]> </C>";
    expected += indent + "<C>  \t<![CDATA[v]]> </C>";
  }
  original += "\r\n</R>\r\n";
  expected += "\r\n</R>\r\n";
  const std::optional<XmlTextMap> map = ScanXmlText(original);
  ASSERT_TRUE(map);
  XmlEdits edits;
  for (std::size_t id = 0; id < map->nodes.size(); ++id) {
    if (map->nodes[id].kind == XmlNodeKind::kCData) edits.texts[id].push_back(u'v');
  }
  ASSERT_EQ(edits.texts.size(), 2000u);
  const std::optional<XmlSplice<char>> pieces = SpliceXmlText(original, *map, edits, nullptr);
  ASSERT_TRUE(pieces);
  std::string spliced;
  for (const XmlSplicePiece<char>& piece : *pieces) {
    spliced += piece.inserted.empty() ? original.substr(piece.from, piece.to - piece.from)
                                      : piece.inserted;
  }
  EXPECT_EQ(spliced.size(), expected.size());
  EXPECT_TRUE(spliced == expected);
}

}  // namespace
}  // namespace tovrel
