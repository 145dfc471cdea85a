#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/XmlDom.h"

namespace tovrel {

// Where the nodes of a well-formed document stand in its text, in the units of its encoding
// (bytes for UTF-8 and the legacy code pages, UTF-16 units for UTF-16). The nodes are those a DOM
// hands out below the document element, in document order, the document element first:
// whitespace-only text is no node, a reference to a declared entity is a leaf of kind kOther, as
// is a processing instruction, and predefined and character references belong to their text.
struct XmlTextNode {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  XmlNodeKind kind = XmlNodeKind::kOther;
  // The node's own units: a whole element from "<" to the end of its end tag.
  std::size_t start = 0;
  std::size_t end = 0;
  // Where the whitespace-only text right before the node starts; `start` when there is none.
  std::size_t indent_start = 0;
  std::size_t parent = kNone;
  std::size_t first_child = kNone;
  std::size_t last_child = kNone;
  std::size_t next_sibling = kNone;
  // Elements: the name is [start + 1, name_end); the content [content_start, content_end), which
  // is empty at `end` for an empty-element tag, whose "/" stands at `slash`.
  std::size_t name_end = 0;
  std::size_t content_start = 0;
  std::size_t content_end = 0;
  std::size_t slash = kNone;
};

struct XmlTextMap {
  // The document element is node 0.
  std::vector<XmlTextNode> nodes;
};

// The map of a text that a parser has accepted; null when the text does not have the shape of a
// document (the scanner checks the structure it walks, not every rule of well-formedness).
std::optional<XmlTextMap> ScanXmlText(std::string_view text);
std::optional<XmlTextMap> ScanXmlText(std::u16string_view text);

}  // namespace tovrel
