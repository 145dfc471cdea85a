#include <gtest/gtest.h>

#include <string>

#include "Tovrel.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

// Declarations, entity references, processing instructions, comments and CDATA in every place a
// settings file may hold them: nothing takes the host down, and both DOMs answer alike. An
// element holding an entity reference holds no single text node, and what an entity stands for
// is never searched.
TEST(DocumentShapes, EveryNodeKindIsReadAndKeptAlike) {
  const struct {
    const char* document;
    const char* path;
    const char* expected;
  } cases[] = {
      {"<!DOCTYPE r [<!ENTITY e \"I\">]><r><a>&e;</a><b>ok</b></r>", "r.b", "ok"},
      {"<!DOCTYPE r [<!ENTITY e \"I\">]><r><a>&e;</a><b>ok</b></r>", "r.a", "Empty"},
      {"<!DOCTYPE r [<!ENTITY e \"I\">]><r><a>x&e;y</a><b>ok</b></r>", "b", "ok"},
      {"<!DOCTYPE r [<!ENTITY m \"<q>in</q>\">]><r><a>&m;</a><q>out</q></r>", "q", "out"},
      {"<!DOCTYPE r [<!ELEMENT r ANY><!ATTLIST r x CDATA \"d\"><!ENTITY e \"I\">]>"
       "<r x=\"&e;\"><a>&e;&e;</a><b><c>&e;</c><d>deep</d></b></r>",
       "r.d", "deep"},
      {"<?xml version=\"1.0\"?>\n<!--head--><?app x?><r><!--c--><?pi y?><a><![CDATA[x<y]]></a>"
       "<b>t<!--c--></b><c><?pi?>t</c><d>&amp;&#65;&lt;</d><e><!--only--></e></r><!--tail-->",
       "r.a", "x<y"},
      {"<r><b>t<!--c--></b></r>", "b", "Empty"},
      {"<r><c><?pi?>t</c></r>", "c", "Empty"},
      {"<r><d>&amp;&#65;&lt;</d></r>", "d", "&A<"},
      {"<r><e><!--only--></e></r>", "e", "Empty"},
      {"<r><f>t<![CDATA[c]]></f></r>", "f", "Empty"},
  };
  const test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.document) + " " + c.path);
    const std::string file = test::HostPath(dir.Write("s.xml", c.document));
    EXPECT_STREQ(XMLGetNode(file.c_str(), c.path), c.expected);

    // A value set beside the node leaves it as it reads.
    ASSERT_EQ(XMLAddNode(file.c_str(), "r.NEW", "v"), 1);
    EXPECT_STREQ(XMLGetNode(file.c_str(), "r.NEW"), "v");
    EXPECT_STREQ(XMLGetNode(file.c_str(), c.path), c.expected);
  }
}

TEST(DocumentShapes, AnElementHoldingAnEntityReferenceIsNotWritten) {
  const std::string original = "<!DOCTYPE r [<!ENTITY e \"I\">]><r><a>&e;</a><b>ok</b></r>";
  const test::TempDir dir;
  const auto path = dir.Write("s.xml", original);
  const std::string file = test::HostPath(path);
  EXPECT_EQ(XMLAddNode(file.c_str(), "r.a", "v"), 0);
  EXPECT_EQ(test::ReadBytes(path), original);
  EXPECT_EQ(XMLAddNode(file.c_str(), "r.a.z", "v"), 1) << "an element beside the reference";
  EXPECT_STREQ(XMLGetNode(file.c_str(), "r.a.z"), "v");
}

}  // namespace
}  // namespace tovrel
