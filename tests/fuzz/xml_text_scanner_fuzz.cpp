// Feeds arbitrary text to the scanner that maps a document's nodes to their text, as bytes and
// as UTF-16 units. Every map it gives must lie inside the text and nest; for a text libxml2
// parses, it must give one, with the nodes of libxml2's tree in the same order and of the same
// kinds. The compact tree that the backend builds from libxml2's streaming parse must be that
// tree too: taken or refused alike, and node by node of the same kind, name, value and
// attributes.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "platform/portable/CompactTreeIsDom.h"
#include "platform/portable/Libxml2Dom.h"
#include "platform/xml/XmlTextScanner.h"

namespace {

using tovrel::XmlNodeKind;
using tovrel::XmlTextMap;
using tovrel::XmlTextNode;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckShape(const XmlTextMap& map, std::size_t size) {
  Require(!map.nodes.empty() && map.nodes[0].kind == XmlNodeKind::kElement);
  for (std::size_t id = 0; id < map.nodes.size(); ++id) {
    const XmlTextNode& node = map.nodes[id];
    Require(node.indent_start <= node.start && node.start < node.end && node.end <= size);
    if (node.kind == XmlNodeKind::kElement) {
      Require(node.start < node.name_end && node.name_end <= node.content_start &&
              node.content_start <= node.content_end && node.content_end <= node.end);
    }
    if (node.parent != XmlTextNode::kNone) {
      const XmlTextNode& parent = map.nodes[node.parent];
      Require(node.parent < id && parent.content_start <= node.indent_start &&
              node.end <= parent.content_end);
    }
    if (node.next_sibling != XmlTextNode::kNone) {
      Require(node.end <= map.nodes[node.next_sibling].indent_start);
    }
  }
}

// The tree's children of `node` against the map's children of `id`, kind by kind.
void CheckAgainstTree(const XmlTextMap& map, const xmlNode* node, std::size_t id) {
  std::size_t child_id = map.nodes[id].first_child;
  if (node->type == XML_ELEMENT_NODE) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
      if (tovrel::test::compact_tree::IsBlankText(*child)) continue;
      Require(child_id != XmlTextNode::kNone &&
              map.nodes[child_id].kind == tovrel::portable::Libxml2NodeKind(*child));
      CheckAgainstTree(map, child, child_id);
      child_id = map.nodes[child_id].next_sibling;
    }
  }
  Require(child_id == XmlTextNode::kNone);
}

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

void IgnoreMessage(void*, const char*, ...) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto map = tovrel::ScanXmlText(bytes)) CheckShape(*map, bytes.size());
  const std::u16string units(bytes.begin(), bytes.end());
  if (const auto map = tovrel::ScanXmlText(units)) CheckShape(*map, units.size());

  xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  const std::unique_ptr<xmlDoc, DocDeleter> doc(
      xmlReadMemory(bytes.data(), static_cast<int>(size), nullptr, "UTF-8",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  if (root != nullptr) {
    const auto map = tovrel::ScanXmlText(bytes);
    Require(map.has_value());
    CheckAgainstTree(*map, root, 0);
  }

  Require(tovrel::test::CompactTreeIsDom(bytes));
  return 0;
}
