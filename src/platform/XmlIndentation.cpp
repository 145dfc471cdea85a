#include "platform/XmlIndentation.h"

namespace tovrel {
namespace {

bool HasLineBreak(const std::optional<WideText>& text) {
  return text && text->find(u'\n') != WideText::npos;
}

// One level of indentation: how much deeper the parent sits than its own parent, or else two
// spaces (a tab in a file indented with tabs).
WideText IndentUnit(const WideText& parent, const std::optional<WideText>& grandparent) {
  const WideText outer = HasLineBreak(grandparent) ? *grandparent : WideText(u"\n");
  if (parent.size() > outer.size() && parent.starts_with(outer)) {
    const WideText unit = parent.substr(outer.size());
    if (IsBlankText(unit) && unit.find(u'\n') == WideText::npos) return unit;
  }
  return parent.find(u'\t') != WideText::npos ? u"\t" : u"  ";
}

}  // namespace

bool IsBlankText(WideView text) {
  return text.find_first_not_of(u" \t\r\n") == WideView::npos;
}

NewElementWhitespace WhitespaceForNewElement(const ElementSurroundings& surroundings) {
  NewElementWhitespace whitespace;
  if (surroundings.has_children) {
    if (HasLineBreak(surroundings.last_child_indent)) {
      whitespace.before = surroundings.last_child_indent;
    }
    return whitespace;
  }
  // The first child: one level deeper than the parent, whose closing tag keeps its own line. The
  // document element starts a line of its own in a file that has line breaks.
  std::optional<WideText> parent = surroundings.parent_indent;
  if (!HasLineBreak(parent) && HasLineBreak(surroundings.closing_indent)) parent = u"\n";
  if (!HasLineBreak(parent)) return whitespace;
  whitespace.before = *parent + IndentUnit(*parent, surroundings.grandparent_indent);
  if (!surroundings.closing_indent) whitespace.after = parent;
  return whitespace;
}

}  // namespace tovrel
