#include <gtest/gtest.h>

#include <string>

#include "platform/xml/XmlTextScanner.h"

namespace tovrel {
namespace {

// The map as text: each node's indentation in brackets (blanks shown as _ and line ends as /),
// then an element's name with its children in braces, or another node's own text; "/" marks an
// empty-element tag.
template <typename Unit>
std::string Outline(std::basic_string_view<Unit> text, const XmlTextMap& map, std::size_t id) {
  const auto ascii = [&](std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
      const auto c = static_cast<char>(text[i]);
      out += c == ' ' ? '_' : c == '\n' || c == '\r' ? '/' : c == '\t' ? '>' : c;
    }
    return out;
  };
  const XmlTextNode& node = map.nodes[id];
  std::string out;
  // Appended piece by piece: GCC 12 warns wrongly about "[" + text.
  const auto bracketed = [&](std::size_t from, std::size_t to) {
    out += '[';
    out += ascii(from, to);
    out += ']';
  };
  if (node.indent_start < node.start) bracketed(node.indent_start, node.start);
  if (node.kind != XmlNodeKind::kElement) return out + ascii(node.start, node.end);
  out += ascii(node.start + 1, node.name_end);
  if (node.slash != XmlTextNode::kNone) return out + "/";
  out += "{";
  for (std::size_t child = node.first_child; child != XmlTextNode::kNone;
       child = map.nodes[child].next_sibling) {
    out += Outline(text, map, child);
    out += ' ';
  }
  bracketed(
      node.last_child == XmlTextNode::kNone ? node.content_start : map.nodes[node.last_child].end,
      node.content_end);
  out += '}';
  return out;
}

template <typename Unit>
std::string Outline(std::basic_string_view<Unit> text) {
  const std::optional<XmlTextMap> map = ScanXmlText(text);
  if (!map) return "none";
  return Outline(text, *map, 0);
}

TEST(XmlTextScanner, MapsTheNodesADomHandsOut) {
  const struct {
    const char* text;
    const char* outline;
  } cases[] = {
      {"<R/>", "R/"},
      {"<R><A/><B></B></R>", "R{A/ B{[]} []}"},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<R>\r\n  <A x='>' y = \"/>\" >1</A>"
       "\r\n\r\n\t<B/>\r\n</R>\r\n",
       "[//]R{[//__]A{1 []} [////>]B/ [//]}"},
      {"<!DOCTYPE R [<!ENTITY e \"]>\"><!-- ] -->]><R>x&e;y&amp;&#65;z <!--c--> &e; </R>",
       "R{x &e; y&amp;&#65;z_ <!--c--> [_]&e; [_]}"},
      {"<R>&#32;&#x9;<![CDATA[ <a> ]]><?pi ?>\n<p:Q xmlns:p='u'></p:Q></R>",
       "R{[&#32;&#x9;]<![CDATA[_<a>_]]> <?pi_?> [/]p:Q{[]} []}"},
      {"<R>", "none"},
      {"<R></S>", "none"},
      {"<R a='1></R>", "none"},
      {"<!-- only -->", "none"},
      {"<R>&e</R>", "none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Outline(std::string_view(c.text)), c.outline);
  }
}

TEST(XmlTextScanner, ReadsUtf16Units) {
  const std::u16string text = u"\uFEFF<R>\r\n  <\u0104>\u017C</\u0104>\r\n</R>";
  const std::optional<XmlTextMap> map = ScanXmlText(text);
  ASSERT_TRUE(map);
  ASSERT_EQ(map->nodes.size(), 3u);
  EXPECT_EQ(map->nodes[0].indent_start, 1u);
  EXPECT_EQ(map->nodes[1].indent_start, 4u);
  EXPECT_EQ(text.substr(map->nodes[2].start, 1), u"\u017C");
}

}  // namespace
}  // namespace tovrel
