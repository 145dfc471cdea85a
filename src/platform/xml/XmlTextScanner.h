#pragma once

#include <cstddef>
#include <cstdint>
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
// Positions and node numbers take 32 bits, so that the map of a large file stays small; a text
// of 4 GiB or more is not mapped.
struct XmlTextNode {
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  XmlNodeKind kind = XmlNodeKind::kOther;
  // The node's own units: a whole element from "<" to the end of its end tag.
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  // Where the whitespace-only text right before the node starts; `start` when there is none.
  std::uint32_t indent_start = 0;
  std::uint32_t parent = kNone;
  std::uint32_t first_child = kNone;
  std::uint32_t last_child = kNone;
  std::uint32_t next_sibling = kNone;
  // Elements: the name is [start + 1, name_end); the content [content_start, content_end), which
  // is empty at `end` for an empty-element tag, whose "/" stands at `slash`.
  std::uint32_t name_end = 0;
  std::uint32_t content_start = 0;
  std::uint32_t content_end = 0;
  std::uint32_t slash = kNone;
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
