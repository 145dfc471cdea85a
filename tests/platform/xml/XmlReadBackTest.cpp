#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "platform/xml/XmlReadBack.h"
#include "support/BackendXmlParser.h"

namespace tovrel {
namespace {

// The proof of a change that gave <B> of <R><A>1</A><B><C>x</C></B></R> a new <N a="1&amp;2">v</N>:
// <B> at its place with two elements and no text, <N> whole, and five elements in all.
XmlReadBackExpectation NewElementUnderB() {
  return {.elements = {{.chain = {1},
                        .name = "B",
                        .attributes = {},
                        .text = "",
                        .others = 0,
                        .child_elements = 2},
                       {.chain = {1, 1},
                        .name = "N",
                        .attributes = {{"a", "1&2"}},
                        .text = "v",
                        .others = 0,
                        .child_elements = 0}},
          .element_count = 5};
}

TEST(XmlReadBack, HoldsWhatTheChangeMeantAndNothingElseCameOrWent) {
  struct Case {
    const char* what;
    std::string bytes;
    bool holds;
  };
  const Case cases[] = {
      {"as meant", "<R><A>1</A><B><C>x</C><N a=\"1&amp;2\">v</N></B></R>", true},
      {"laid out, with a comment, references and CDATA",
       "<?xml version=\"1.0\"?>\n<R>\n  <A>1</A>\n  <B>\n    <C>x</C><!-- c -->\n"
       "    <N a='1&#38;2'>&#118;<![CDATA[]]></N>\n  </B>\n</R>\n",
       true},
      {"another value", "<R><A>1</A><B><C>x</C><N a=\"1&amp;2\">w</N></B></R>", false},
      {"blanks kept beside the value", "<R><A>1</A><B><C>x</C><N a=\"1&amp;2\"> v</N></B></R>",
       false},
      {"text beside the new element", "<R><A>1</A><B>t<C>x</C><N a=\"1&amp;2\">v</N></B></R>",
       false},
      {"another name", "<R><A>1</A><B><C>x</C><M a=\"1&amp;2\">v</M></B></R>", false},
      {"another attribute", "<R><A>1</A><B><C>x</C><N a=\"1&amp;3\">v</N></B></R>", false},
      {"in another place", "<R><A>1<N a=\"1&amp;2\">v</N></A><B><C>x</C></B></R>", false},
      {"an element more elsewhere", "<R><A>1<Z/></A><B><C>x</C><N a=\"1&amp;2\">v</N></B></R>",
       false},
      {"an element fewer", "<R><B><C>x</C><N a=\"1&amp;2\">v</N></B></R>", false},
      {"a child in the new element", "<R><A>1</A><B><C>x</C><N a=\"1&amp;2\">v<Z/></N></B></R>",
       false},
      {"not well-formed", "<R><A>1</A><B><C>x</C><N a=\"1&amp;2\">v</N></B>", false},
  };
  for (const Case& c : cases) {
    // Whole, and in pieces as a splice gives them: one byte, and the rest.
    const std::string_view bytes = c.bytes;
    const std::string_view pieces[] = {bytes.substr(0, 1), bytes.substr(1)};
    EXPECT_EQ(ReadsBackAs(test::BackendXmlParser(), std::span(&bytes, 1), NewElementUnderB()),
              c.holds)
        << c.what;
    EXPECT_EQ(ReadsBackAs(test::BackendXmlParser(), pieces, NewElementUnderB()), c.holds)
        << c.what << ", in pieces";
  }
}

}  // namespace
}  // namespace tovrel
