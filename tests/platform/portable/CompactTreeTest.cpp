#include <gtest/gtest.h>

#include <string>

#include "platform/portable/CompactTreeIsDom.h"

namespace tovrel {
namespace {

// The tree a settings file loads as, built from libxml2's streaming parse, against the DOM that
// libxml2 builds of the same bytes: the shapes where a stream and a tree part ways.
TEST(CompactTree, IsTheTreeLibxml2BuildsOfTheSameBytes) {
  const std::string documents[] = {
      "<R>\n  <A>1</A>\n  <B/>\n</R>\n",
      "<!DOCTYPE r [<!ENTITY e 'entity'>]><r xmlns='urn:d' xmlns:p='urn:p' "
      "a='x &amp; y &#38; &lt; &e; z'><p:c p:k='1'>t&amp;u&e;v<![CDATA[ c ]]><?pi data?>"
      "<!-- c --></p:c> <d/></r>",
      "<?xml version='1.0' encoding='windows-1250'?><R><A n='\xB3'>\xB9\xEA</A></R>",
      std::string("\xFF\xFE<\0R\0>\0 \0x\0<\0/\0R\0>\0", 20),
      "<R>a<!-- split -->b&#10;c<![CDATA[]]>  <![CDATA[ ]]></R>",
      "<R><A>1</A></R><!-- after --><?after?>",
      "<R><A></R>",
      "no document",
      "",
  };
  for (const std::string& document : documents) {
    EXPECT_TRUE(test::CompactTreeIsDom(document)) << document;
  }
}

}  // namespace
}  // namespace tovrel
