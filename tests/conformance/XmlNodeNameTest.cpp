#include <gtest/gtest.h>

#include <functional>

#include "platform/Platform.h"
#include "support/TestFiles.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

// HasName answers exactly as comparing Name() would, for every kind of node and for names that
// differ only past their ASCII part, by a prefix or by length.
TEST(XmlNodeName, HasNameAgreesWithName) {
  const test::TempDir dir;
  const auto file = dir.Write("names.xml",
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<r xmlns:p=\"urn:p\"><p:q/><a>t</a><ab/><\xC5\xBC\x62/><\xC5\xBC/>"
                              "<!--c--><b><![CDATA[x]]></b><?pi data?></r>");
  const Platform platform = MakePlatform();
  const auto document = platform.xml->CreateDocument();
  ASSERT_TRUE(document->LoadFromFile(test::LibraryPath(file)));
  const WideText candidates[] = {u"r",
                                 u"p:q",
                                 u"q",
                                 u"a",
                                 u"ab",
                                 u"\u017Cb",
                                 u"\u017C",
                                 u"\u017Cc",
                                 u"#text",
                                 u"#comment",
                                 u"#cdata-section",
                                 u"pi",
                                 u"",
                                 u"a\u017C",
                                 u"abc"};
  std::size_t nodes = 0;
  const std::function<void(const XmlNode&)> check = [&](const XmlNode& node) {
    ++nodes;
    const WideText name = node.Name();
    for (const WideText& candidate : candidates) {
      EXPECT_EQ(node.HasName(candidate), name == candidate)
          << ToUtf8(name) << " against " << ToUtf8(candidate);
    }
    for (XmlNodePtr child = node.FirstChild(); child; child = child->NextSibling()) check(*child);
  };
  check(*document->DocumentElement());
  EXPECT_GE(nodes, 11u);
}

}  // namespace
}  // namespace tovrel
