#pragma once

#include <optional>
#include <string_view>

#include "text/Text.h"

namespace tovrel {

// What lies around the place of a new element among its parent's children: the whitespace-only
// text of the file, or of the elements added before it, so that it is laid out like its
// neighbours.
struct ElementSurroundings {
  // Whether the parent has children other than whitespace-only text.
  bool has_children = false;
  // The whitespace-only text right before the parent's last such child, if there is one.
  std::optional<WideText> last_child_indent;
  // The whitespace-only text right before the parent, and before the parent's parent.
  std::optional<WideText> parent_indent;
  std::optional<WideText> grandparent_indent;
  // The parent's last child when it is whitespace-only text: the line its closing tag starts.
  std::optional<WideText> closing_indent;
};

// The whitespace to put before the new element, which goes before the closing indent, and after
// it when the parent had no closing indent: the last line break and indentation of the text it
// copies, without the blank lines before them. Nothing for a document without line breaks (CR,
// LF or CRLF).
struct NewElementWhitespace {
  std::optional<WideText> before;
  std::optional<WideText> after;
};

NewElementWhitespace WhitespaceForNewElement(const ElementSurroundings& surroundings);

// True for text of blanks only (space, tab, carriage return, line feed), the empty text too; in
// UTF-16 and in UTF-8.
bool IsBlankText(WideView text);
bool IsBlankUtf8(std::string_view text);

}  // namespace tovrel
