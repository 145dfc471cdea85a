#include "support/XmlOutline.h"

#include "support/TestFiles.h"

namespace tovrel::test {
namespace {

std::string Utf8(WideView text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void Outline(const XmlNode& node, std::string& out) {
  switch (node.Kind()) {
    case XmlNodeKind::kText:
      out += Utf8(node.Value());
      return;
    case XmlNodeKind::kCData:
      out += "<![CDATA[" + Utf8(node.Value()) + "]]>";
      return;
    case XmlNodeKind::kComment:
      out += "<!---->";
      return;
    default:
      break;
  }
  const std::string name = Utf8(node.Name());
  out.append("<").append(name);
  for (const auto& [attribute, value] : node.Attributes()) {
    // Namespace declarations are attributes to MSXML but not to libxml2.
    if (attribute.starts_with(u"xmlns")) continue;
    out.append(" ").append(Utf8(attribute)).append("=\"").append(Utf8(value)).append("\"");
  }
  const std::size_t count = node.ChildCount();
  if (count == 0) {
    out += "/>";
    return;
  }
  out += ">";
  for (std::size_t i = 0; i < count; ++i) Outline(*node.Child(i), out);
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
