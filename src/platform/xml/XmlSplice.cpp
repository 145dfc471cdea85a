#include <algorithm>

#include "platform/xml/XmlEdits.h"
#include "platform/xml/XmlIndentation.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

constexpr std::size_t kNone = XmlTextNode::kNone;

// Text as character data: what a parser would take for markup, and a carriage return, which it
// would read as a line end, become references.
WideText EscapeText(WideView text) {
  WideText escaped;
  escaped.reserve(text.size());
  for (const char16_t c : text) {
    switch (c) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'\r':
        escaped += u"&#13;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// An attribute value in double quotes: blanks other than the space would be read as spaces.
WideText EscapeAttribute(WideView value) {
  WideText escaped;
  escaped.reserve(value.size());
  for (const char16_t c : value) {
    switch (c) {
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\t':
        escaped += u"&#9;";
        break;
      case u'\n':
        escaped += u"&#10;";
        break;
      default:
        escaped += EscapeText(WideView(&c, 1));
    }
  }
  return escaped;
}

template <typename Unit>
class Splicer {
 public:
  using String = std::basic_string<Unit>;
  using View = std::basic_string_view<Unit>;

  Splicer(View text, const XmlTextMap& map, const XmlEdits& edits, const CodePageEncoder* encode)
      : text_(text), map_(map), edits_(edits), encode_(encode) {}

  std::optional<XmlSplice<Unit>> Run() {
    for (const std::size_t id : edits_.removed) {
      const XmlTextNode& node = map_.nodes.at(id);
      replacements_.push_back({node.indent_start, node.end, {}});
    }
    for (const auto& [id, value] : edits_.texts) {
      if (!AddText(id, value)) return std::nullopt;
    }
    for (const auto& [id, edit] : edits_.elements) {
      if (!AddElementEdit(map_.nodes.at(id), edit)) return std::nullopt;
    }
    std::ranges::stable_sort(replacements_, [](const Replacement& a, const Replacement& b) {
      return a.start != b.start ? a.start < b.start : a.end < b.end;
    });
    XmlSplice<Unit> spliced;
    std::size_t copied = 0;
    const auto copy = [&](std::size_t to) {
      if (to > copied) spliced.push_back({.from = copied, .to = to, .inserted = {}});
    };
    for (Replacement& replacement : replacements_) {
      // Inside a node taken out as a whole.
      if (replacement.start < copied) continue;
      copy(replacement.start);
      if (!replacement.units.empty()) {
        spliced.push_back({.from = 0, .to = 0, .inserted = std::move(replacement.units)});
      }
      copied = replacement.end;
    }
    copy(text_.size());
    return spliced;
  }

 private:
  struct Replacement {
    std::size_t start;
    std::size_t end;
    String units;
  };

  // Markup, names and blanks: every character must be written as it is.
  bool Markup(WideView text, String& out) const { return Encode(text, false, out); }
  // Character data: a character the encoding lacks may be a reference.
  bool Text(WideView text, String& out) const { return Encode(text, true, out); }

  bool Encode(WideView text, bool references, String& out) const {
    if constexpr (sizeof(Unit) == 2) {
      out.append(text);
    } else if (*encode_) {
      const std::optional<std::string> bytes = (*encode_)(text, references);
      if (!bytes) return false;
      out.append(*bytes);
    } else {
      out.append(ToUtf8(text));
    }
    return true;
  }

  bool Render(const XmlNewNode& node, String& out) const {
    if (!node.element) {
      return IsBlankText(node.text) ? Markup(node.text, out) : Text(EscapeText(node.text), out);
    }
    if (!Markup(u"<" + node.name, out)) return false;
    for (const auto& [name, value] : node.attributes) {
      if (!Markup(u" " + name + u"=\"", out) || !Text(EscapeAttribute(value), out) ||
          !Markup(u"\"", out)) {
        return false;
      }
    }
    if (node.children.empty()) return Markup(u"/>", out);
    if (!Markup(u">", out)) return false;
    for (const auto& child : node.children) {
      if (!Render(*child, out)) return false;
    }
    return Markup(u"</" + node.name + u">", out);
  }

  bool AddText(std::size_t id, const WideText& value) {
    const XmlTextNode& node = map_.nodes.at(id);
    String units;
    // A CDATA section stays one while the value can be written in it as it is; the blanks beside
    // it are no text to a reader and stay.
    const bool cdata = node.kind == XmlNodeKind::kCData && value.find(u'\r') == WideText::npos &&
                       Markup(u"<![CDATA[" + value + u"]]>", units);
    if (cdata) {
      replacements_.push_back({node.start, node.end, std::move(units)});
      return true;
    }
    units.clear();
    if (!Text(EscapeText(value), units)) return false;
    // Written as character data, the value would take in any blanks beside it: as the element's
    // only child it takes the element's whole content.
    const XmlTextNode& parent = map_.nodes.at(node.parent);
    const bool only_child = parent.first_child == id && parent.last_child == id;
    replacements_.push_back({only_child ? parent.content_start : node.start,
                             only_child ? parent.content_end : node.end, std::move(units)});
    return true;
  }

  bool AddElementEdit(const XmlTextNode& node, const XmlElementEdit& edit) {
    String units;
    for (const auto& child : edit.inserted.children) {
      if (!Render(*child, units)) return false;
    }
    if (edit.after && !Markup(*edit.after, units)) return false;
    if (node.slash != kNone) {
      // <A/> becomes <A>, the new content and </A>.
      if (!Markup(u"</", units)) return false;
      units.append(text_.substr(node.start + 1, node.name_end - node.start - 1));
      if (!Markup(u">", units)) return false;
      replacements_.push_back({node.slash, node.slash + 1, {}});
      replacements_.push_back({node.end, node.end, std::move(units)});
    } else if (edit.blank_content_replaced) {
      replacements_.push_back({node.content_start, node.content_end, std::move(units)});
    } else {
      const std::size_t at =
          node.last_child != kNone ? map_.nodes[node.last_child].end : node.content_start;
      replacements_.push_back({at, at, std::move(units)});
    }
    return true;
  }

  View text_;
  const XmlTextMap& map_;
  const XmlEdits& edits_;
  const CodePageEncoder* encode_;
  std::vector<Replacement> replacements_;
};

}  // namespace

std::optional<XmlSplice<char>> SpliceXmlText(std::string_view text, const XmlTextMap& map,
                                             const XmlEdits& edits, const CodePageEncoder& encode) {
  return Splicer<char>(text, map, edits, &encode).Run();
}

std::optional<XmlSplice<char16_t>> SpliceXmlText(std::u16string_view text, const XmlTextMap& map,
                                                 const XmlEdits& edits) {
  return Splicer<char16_t>(text, map, edits, nullptr).Run();
}

}  // namespace tovrel
