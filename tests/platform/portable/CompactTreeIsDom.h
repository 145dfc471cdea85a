#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/portable/Libxml2Dom.h"
#include "text/Utf8.h"

namespace tovrel::test {

// Whether the compact tree that the libxml2 backend builds from the streaming parse is the tree
// libxml2's DOM builds of the same bytes with the same settings: both refuse the bytes, or both
// take them and agree node by node (whitespace-only text left out) in kind, name, value and
// attributes. Shared by the portable tests and the scanner's fuzz target.
namespace compact_tree {

inline WideText Wide(const xmlChar* text) {
  return text ? FromUtf8(reinterpret_cast<const char*>(text)) : WideText();
}

inline bool IsBlankText(const xmlNode& node) {
  if (node.type != XML_TEXT_NODE) return false;
  for (const xmlChar* c = node.content; c && *c; ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  }
  return true;
}

// The qualified name, as the DOM gives it.
inline WideText NameOf(const xmlNode& node) {
  switch (node.type) {
    case XML_TEXT_NODE:
      return u"#text";
    case XML_CDATA_SECTION_NODE:
      return u"#cdata-section";
    case XML_COMMENT_NODE:
      return u"#comment";
    default:
      break;
  }
  WideText name = Wide(node.name);
  if (node.type == XML_ELEMENT_NODE && node.ns != nullptr && node.ns->prefix != nullptr) {
    name = Wide(node.ns->prefix) + u":" + name;
  }
  return name;
}

// Namespace declarations first, then the attributes, as the DOM gives them.
inline std::vector<std::pair<WideText, WideText>> AttributesOf(const xmlNode& node) {
  std::vector<std::pair<WideText, WideText>> attributes;
  if (node.type != XML_ELEMENT_NODE) return attributes;
  for (const xmlNs* declaration = node.nsDef; declaration != nullptr;
       declaration = declaration->next) {
    WideText name = u"xmlns";
    if (declaration->prefix != nullptr) name += u":" + Wide(declaration->prefix);
    attributes.emplace_back(std::move(name), Wide(declaration->href));
  }
  for (const xmlAttr* attribute = node.properties; attribute != nullptr;
       attribute = attribute->next) {
    const std::unique_ptr<xmlChar, decltype(xmlFree)> value(
        xmlNodeListGetString(node.doc, attribute->children, 1), xmlFree);
    WideText name = Wide(attribute->name);
    if (attribute->ns != nullptr && attribute->ns->prefix != nullptr) {
      name = Wide(attribute->ns->prefix) + u":" + name;
    }
    attributes.emplace_back(std::move(name), Wide(value.get()));
  }
  return attributes;
}

inline bool SameNode(const xmlNode& node, const XmlSourceNode& compact) {
  const XmlNodeKind kind = portable::Libxml2NodeKind(node);
  const bool has_value =
      kind == XmlNodeKind::kText || kind == XmlNodeKind::kCData || kind == XmlNodeKind::kComment;
  if (compact.Kind() != kind || compact.Name() != NameOf(node) ||
      compact.Attributes() != AttributesOf(node) ||
      compact.Value() != (has_value ? Wide(node.content) : WideText())) {
    return false;
  }
  XmlSourceNodePtr compact_child = compact.FirstChild();
  if (node.type == XML_ELEMENT_NODE) {
    for (const xmlNode* child = node.children; child != nullptr; child = child->next) {
      if (IsBlankText(*child)) continue;
      if (!compact_child || !SameNode(*child, *compact_child)) return false;
      compact_child = compact_child->NextSibling();
    }
  }
  return compact_child == nullptr;
}

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

}  // namespace compact_tree

inline bool CompactTreeIsDom(std::string_view bytes) {
  // The encoding as the document declares it, as the backend reads it.
  const std::unique_ptr<xmlDoc, compact_tree::DocDeleter> doc(
      xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  const std::unique_ptr<XmlSourceTree> compact = portable::Libxml2XmlParser().Parse(bytes);
  if (root == nullptr || compact == nullptr) return (root == nullptr) == (compact == nullptr);
  return compact_tree::SameNode(*root, *compact->DocumentElement());
}

}  // namespace tovrel::test
