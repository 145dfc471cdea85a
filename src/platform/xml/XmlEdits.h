#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/xml/XmlTextScanner.h"
#include "text/Text.h"

namespace tovrel {

// A node that a write adds: an element, or a text. Whitespace-only texts lay the new elements
// out and are no nodes to the logic.
struct XmlNewNode {
  bool element = false;
  // An element's name, or a text's value.
  WideText name;
  WideText text;
  std::vector<std::pair<WideText, WideText>> attributes;
  std::vector<std::unique_ptr<XmlNewNode>> children;
  // The new element it belongs to, or the XmlElementEdit::inserted holding it.
  XmlNewNode* parent = nullptr;
  // For XmlElementEdit::inserted: the element of the file it goes into.
  std::size_t file_parent = XmlTextNode::kNone;
};

// What a write does to an element of the file.
struct XmlElementEdit {
  // The new nodes, put where the element's last child ends (after its start tag when it has
  // none), before the blanks its end tag starts with.
  XmlNewNode inserted;
  // Blanks put after them for an element that had no line of its own for its end tag.
  std::optional<WideText> after;
  // The element's whitespace-only content gives way to the inserted nodes.
  bool blank_content_replaced = false;
};

// The changes of one call, against the map of the file's text.
struct XmlEdits {
  std::map<std::size_t, XmlElementEdit> elements;
  // New values of text and CDATA nodes of the file.
  std::map<std::size_t, WideText> texts;
  // Nodes of the file taken out, each with the whitespace-only text before it.
  std::set<std::size_t> removed;

  [[nodiscard]] bool empty() const { return elements.empty() && texts.empty() && removed.empty(); }
};

// Encodes text in the code page of a legacy file: with `references`, a character the code page
// lacks becomes a character reference; without, such a character gives null.
using CodePageEncoder = std::function<std::optional<std::string>(WideView text, bool references)>;

// One piece of a text with edits made: a span of the text as it was, or what the edits put in.
template <typename Unit>
struct XmlSplicePiece {
  // The units [from, to) of the text, when nothing is inserted.
  std::size_t from = 0;
  std::size_t to = 0;
  std::basic_string<Unit> inserted;
};
template <typename Unit>
using XmlSplice = std::vector<XmlSplicePiece<Unit>>;

// The text with the edits made, as pieces in order, so that the text is never copied: every unit
// outside the spans the edits touch stays as it was. Null when the new content cannot be written
// in the file's encoding (`encode` null: UTF-8).
std::optional<XmlSplice<char>> SpliceXmlText(std::string_view text, const XmlTextMap& map,
                                             const XmlEdits& edits, const CodePageEncoder& encode);
std::optional<XmlSplice<char16_t>> SpliceXmlText(std::u16string_view text, const XmlTextMap& map,
                                                 const XmlEdits& edits);

}  // namespace tovrel
