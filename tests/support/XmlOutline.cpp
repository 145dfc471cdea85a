#include "support/XmlOutline.h"

#include "platform/Utf8.h"
#include "support/TestFiles.h"

namespace tovrel::test {
namespace {

void Outline(const XmlNode& node, std::string& out) {
  switch (node.Kind()) {
    case XmlNodeKind::kText:
      out += ToUtf8(node.Value());
      return;
    case XmlNodeKind::kCData:
      out += "<![CDATA[" + ToUtf8(node.Value()) + "]]>";
      return;
    case XmlNodeKind::kComment:
      out += "<!---->";
      return;
    default:
      break;
  }
  const std::string name = ToUtf8(node.Name());
  out.append("<").append(name);
  for (const auto& [attribute, value] : node.Attributes()) {
    // Namespace declarations are attributes to MSXML but not to libxml2.
    if (attribute.starts_with(u"xmlns")) continue;
    out.append(" ").append(ToUtf8(attribute)).append("=\"").append(ToUtf8(value)).append("\"");
  }
  XmlNodePtr child = node.FirstChild();
  if (!child) {
    out += "/>";
    return;
  }
  out += ">";
  for (; child; child = child->NextSibling()) Outline(*child, out);
  out += "</" + name + ">";
}

}  // namespace

std::string XmlOutline(const XmlDomFactory& xml, const std::filesystem::path& file) {
  const auto document = xml.CreateDocument();
  if (!document->LoadFromFile(LibraryPath(file))) return "unreadable";
  std::string out;
  Outline(*document->DocumentElement(), out);
  return out;
}

}  // namespace tovrel::test
