#include <gtest/gtest.h>

#include "platform/xml/XmlIndentation.h"

namespace tovrel {
namespace {

// A first child goes one level deeper than its parent: the parent's step in from its own parent,
// or, where that step says nothing, two spaces, a tab in a line indented with tabs.
TEST(XmlIndentation, AFirstChildGoesOneLevelDeeper) {
  const struct {
    const char* what;
    WideText parent, grandparent, before;
  } kCases[] = {
      {"the parent's step", u"\n    ", u"\n  ", u"\n      "},
      {"a tab step", u"\n\t\t", u"\n\t", u"\n\t\t\t"},
      {"no step, spaces", u"\n  ", u"\n  ", u"\n    "},
      {"no step, tabs", u"\n\t", u"\n\t", u"\n\t\t"},
      {"a tab after spaces", u"\r\n\t", u"\r\n  ", u"\r\n\t\t"},
  };
  for (const auto& test : kCases) {
    ElementSurroundings surroundings;
    surroundings.parent_indent = test.parent;
    surroundings.grandparent_indent = test.grandparent;
    const NewElementWhitespace whitespace = WhitespaceForNewElement(surroundings);
    EXPECT_EQ(whitespace.before, test.before) << test.what;
    EXPECT_EQ(whitespace.after, test.parent) << test.what;
  }
}

}  // namespace
}  // namespace tovrel
