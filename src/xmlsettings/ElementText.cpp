#include "xmlsettings/ElementText.h"

namespace tovrel {
namespace {

// The single text or CDATA child, null when there are no children.
XmlNodePtr SingleTextChild(const XmlNode& element) {
  const std::size_t count = element.ChildCount();
  if (count == 0) return nullptr;
  XmlNodePtr child = element.Child(0);
  const XmlNodeKind kind = child->Kind();
  if (count != 1 || (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData)) {
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
  if (!child) {
    element.AppendEmptyText();
    child = element.Child(0);
  }
  child->SetValue(text);
}

}  // namespace tovrel
