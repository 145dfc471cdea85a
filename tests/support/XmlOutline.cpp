#include "support/XmlOutline.h"

#include <map>

#include "support/TestFiles.h"
#include "text/Utf8.h"

namespace tovrel::test {
namespace {

// Namespace declarations in scope: the attribute name (xmlns, xmlns:p) and its URI.
using Declarations = std::map<WideText, WideText>;

void Outline(const XmlNode& node, Declarations in_scope, std::string& out) {
  switch (node.Kind()) {
    case XmlNodeKind::kText:
      out += ToUtf8(node.Value());
      return;
    case XmlNodeKind::kCData:
      out += "<![CDATA[" + ToUtf8(node.Value()) + "]]>";
      return;
    case XmlNodeKind::kComment:
      out += "<!--" + ToUtf8(node.Value()) + "-->";
      return;
    default:
      break;
  }
  const std::string name = ToUtf8(node.Name());
  out.append("<").append(name);
  for (const auto& [attribute, value] : node.Attributes()) {
    // A declaration that repeats one in scope says nothing; MSXML writes such repeats on the
    // elements it creates.
    const bool declaration = attribute == u"xmlns" || attribute.starts_with(u"xmlns:");
    if (declaration) {
      const auto [known, added] = in_scope.try_emplace(attribute, value);
      if (!added && known->second == value) continue;
      known->second = value;
    }
    out.append(" ").append(ToUtf8(attribute)).append("=\"").append(ToUtf8(value)).append("\"");
  }
  XmlNodePtr child = node.FirstChild();
  if (!child) {
    out += "/>";
    return;
  }
  out += ">";
  for (; child; child = child->NextSibling()) Outline(*child, in_scope, out);
  out += "</" + name + ">";
}

}  // namespace

std::string XmlOutline(const XmlDomFactory& xml, const std::filesystem::path& file) {
  const auto document = xml.CreateDocument();
  if (!document->LoadFromFile(LibraryPath(file))) return "unreadable";
  std::string out;
  Outline(*document->DocumentElement(), {}, out);
  return out;
}

}  // namespace tovrel::test
