#include "platform/xml/XmlSource.h"

#include <string>
#include <utility>
#include <vector>

#include "text/Utf8.h"

namespace tovrel {
namespace {

void TellStart(const XmlSourceNode& element, XmlEvents& events) {
  std::vector<std::pair<std::string, std::string>> attributes;
  for (const auto& [name, value] : element.Attributes()) {
    attributes.emplace_back(ToUtf8(name), ToUtf8(value));
  }
  std::vector<XmlEventAttribute> told;
  told.reserve(attributes.size());
  for (const auto& [name, value] : attributes) told.push_back({name, value});
  events.StartElement(ToUtf8(element.Name()), told);
}

void TellLeaf(const XmlSourceNode& node, XmlEvents& events) {
  switch (node.Kind()) {
    case XmlNodeKind::kText:
      events.Text(ToUtf8(node.Value()));
      break;
    case XmlNodeKind::kCData:
      events.CData(ToUtf8(node.Value()));
      break;
    case XmlNodeKind::kComment:
      events.Comment(ToUtf8(node.Value()));
      break;
    case XmlNodeKind::kOther:
      events.Other(ToUtf8(node.Name()));
      break;
    case XmlNodeKind::kElement:
      break;
  }
}

}  // namespace

bool XmlParser::Read(std::span<const std::string_view> pieces, XmlEvents& events) const {
  std::string bytes;
  for (const std::string_view piece : pieces) bytes += piece;
  const std::unique_ptr<XmlSourceTree> tree = Parse(bytes);
  XmlSourceNodePtr node = tree ? tree->DocumentElement() : nullptr;
  if (!node) return false;
  // Walked with a stack of its own, as a document may be nested as deep as a parser takes: the
  // elements whose end is still to be told.
  std::vector<XmlSourceNodePtr> open;
  while (node) {
    if (node->Kind() == XmlNodeKind::kElement) {
      TellStart(*node, events);
      if (XmlSourceNodePtr child = node->FirstChild()) {
        open.push_back(std::move(node));
        node = std::move(child);
        continue;
      }
      events.EndElement();
    } else {
      TellLeaf(*node, events);
    }
    if (open.empty()) break;
    // The next node: this one's sibling, or that of the nearest open element that has one.
    node = node->NextSibling();
    while (!node && !open.empty()) {
      events.EndElement();
      const XmlSourceNodePtr parent = std::move(open.back());
      open.pop_back();
      if (!open.empty()) node = parent->NextSibling();
    }
  }
  return true;
}

}  // namespace tovrel
