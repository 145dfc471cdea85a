#include "xmlsettings/ElementText.h"

namespace tovrel {
namespace {

// The single text or CDATA child, null when there are no children.
XmlNodePtr SingleTextChild(const XmlNode& element) {
  XmlNodePtr child = element.FirstChild();
  if (!child) return nullptr;
  const XmlNodeKind kind = child->Kind();
  if ((kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData) || child->NextSibling()) {
    throw XmlDomError("Element does not contain a single text node");
  }
  return child;
}

}  // namespace

WideText ReadElementText(const XmlNode& element) {
  const XmlNodePtr text = SingleTextChild(element);
  return text ? text->Value() : WideText();
}

void WriteElementText(XmlNode& element, WideView text) {
  XmlNodePtr child = SingleTextChild(element);
  if (!child) child = element.AppendEmptyText();
  child->SetValue(text);
}

}  // namespace tovrel
