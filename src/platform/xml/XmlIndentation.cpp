#include "platform/xml/XmlIndentation.h"

namespace tovrel {
namespace {

constexpr WideView kLineBreaks = u"\r\n";

bool HasLineBreak(const std::optional<WideText>& text) {
  return text && text->find_first_of(kLineBreaks) != WideText::npos;
}

// The blanks after the last line break: how deep the line is indented.
WideText LastLine(const WideText& blanks) {
  const std::size_t end = blanks.find_last_of(kLineBreaks);
  return end == WideText::npos ? blanks : blanks.substr(end + 1);
}

// The last line break of the blanks (CRLF, LF or CR), or LF when they hold none.
WideText LineBreak(const WideText& blanks) {
  const std::size_t end = blanks.find_last_of(kLineBreaks);
  if (end == WideText::npos) return u"\n";
  if (blanks[end] == u'\n' && end > 0 && blanks[end - 1] == u'\r') return u"\r\n";
  return WideText(1, blanks[end]);
}

// A line break and the indentation of the last line, without the blank lines before it.
WideText Indentation(const WideText& blanks) {
  return LineBreak(blanks) + LastLine(blanks);
}

// One level of indentation: how much deeper the parent sits than its own parent, or else two
// spaces (a tab in a file indented with tabs).
WideText IndentUnit(const WideText& parent, const std::optional<WideText>& grandparent) {
  const WideText outer = HasLineBreak(grandparent) ? LastLine(*grandparent) : WideText();
  const WideText inner = LastLine(parent);
  if (inner.size() > outer.size() && inner.starts_with(outer)) return inner.substr(outer.size());
  return parent.find(u'\t') != WideText::npos ? u"\t" : u"  ";
}

}  // namespace

bool IsBlankText(WideView text) {
  return text.find_first_not_of(u" \t\r\n") == WideView::npos;
}

bool IsBlankUtf8(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

NewElementWhitespace WhitespaceForNewElement(const ElementSurroundings& surroundings) {
  NewElementWhitespace whitespace;
  if (surroundings.has_children) {
    if (HasLineBreak(surroundings.last_child_indent)) {
      whitespace.before = Indentation(*surroundings.last_child_indent);
    }
    return whitespace;
  }
  // The first child: one level deeper than the parent, whose closing tag keeps its own line. The
  // document element starts a line of its own in a file that has line breaks.
  std::optional<WideText> parent = surroundings.parent_indent;
  if (!HasLineBreak(parent) && HasLineBreak(surroundings.closing_indent)) {
    parent = LineBreak(*surroundings.closing_indent);
  }
  if (!HasLineBreak(parent)) return whitespace;
  whitespace.before = Indentation(*parent) + IndentUnit(*parent, surroundings.grandparent_indent);
  if (!surroundings.closing_indent) whitespace.after = Indentation(*parent);
  return whitespace;
}

}  // namespace tovrel
