#include "platform/xml/XmlTextScanner.h"

#include <algorithm>
#include <string>

namespace tovrel {
namespace {

constexpr std::size_t kNone = XmlTextNode::kNone;

template <typename Unit>
class Scanner {
 public:
  using View = std::basic_string_view<Unit>;

  explicit Scanner(View text) : text_(text) {}

  std::optional<XmlTextMap> Scan() {
    if (text_.size() >= XmlTextNode::kNone) return std::nullopt;
    // Every node starts with "<" or "&", or is a text before one: reserved at once, the map is
    // never copied as it grows.
    const auto markup = static_cast<std::size_t>(
        std::ranges::count_if(text_, [](Unit c) { return c == '<' || c == '&'; }));
    map_.nodes.reserve(2 * markup + 1);
    if (!SkipProlog()) return std::nullopt;
    const std::size_t indent = pending_indent_;
    if (!ScanElementTree(indent)) return std::nullopt;
    return std::move(map_);
  }

 private:
  // Texts of 4 GiB or more are refused before any position is taken.
  static std::uint32_t Position(std::size_t position) {
    return static_cast<std::uint32_t>(position);
  }

  static bool IsBlank(Unit c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  // Any unit that ends a name: blanks and the markup that may follow a name.
  static bool EndsName(Unit c) {
    return IsBlank(c) || c == '>' || c == '/' || c == '=' || c == ';' || c == '<';
  }

  [[nodiscard]] bool At(std::size_t pos, std::string_view ascii) const {
    if (pos > text_.size() || text_.size() - pos < ascii.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
      if (text_[pos + i] != static_cast<Unit>(static_cast<unsigned char>(ascii[i]))) return false;
    }
    return true;
  }

  // The position after the first `ascii` at or after pos; kNone when there is none.
  [[nodiscard]] std::size_t After(std::size_t pos, std::string_view ascii) const {
    for (; pos + ascii.size() <= text_.size(); ++pos) {
      if (At(pos, ascii)) return pos + ascii.size();
    }
    return kNone;
  }

  std::size_t SkipBlanks(std::size_t pos) const {
    while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
    return pos;
  }

  std::size_t SkipName(std::size_t pos) const {
    while (pos < text_.size() && !EndsName(text_[pos])) ++pos;
    return pos;
  }

  // After a quoted literal starting at pos; kNone when it is not one.
  [[nodiscard]] std::size_t AfterQuoted(std::size_t pos) const {
    if (pos >= text_.size() || (text_[pos] != '"' && text_[pos] != '\'')) return kNone;
    const Unit quote = text_[pos];
    for (++pos; pos < text_.size(); ++pos) {
      if (text_[pos] == quote) return pos + 1;
    }
    return kNone;
  }

  // After a comment, processing instruction or markup declaration starting at pos, kNone when
  // none starts there or it does not end.
  [[nodiscard]] std::size_t AfterMisc(std::size_t pos) const {
    if (At(pos, "<!--")) return After(pos + 4, "-->");
    if (At(pos, "<?")) return After(pos + 2, "?>");
    if (At(pos, "<!")) return AfterDeclaration(pos + 2);
    return kNone;
  }

  // After a document type or markup declaration whose "<!" is passed: literals, an internal
  // subset and the comments and instructions in it are stepped over.
  [[nodiscard]] std::size_t AfterDeclaration(std::size_t pos) const {
    while (pos < text_.size()) {
      const Unit c = text_[pos];
      if (c == '>') return pos + 1;
      if (c == '"' || c == '\'') {
        pos = AfterQuoted(pos);
      } else if (c == '[') {
        pos = AfterInternalSubset(pos + 1);
      } else {
        ++pos;
      }
      if (pos == kNone) return kNone;
    }
    return kNone;
  }

  [[nodiscard]] std::size_t AfterInternalSubset(std::size_t pos) const {
    while (pos < text_.size()) {
      const Unit c = text_[pos];
      if (c == ']') return pos + 1;
      if (c == '<') {
        pos = AfterMisc(pos);
      } else if (c == '"' || c == '\'') {
        pos = AfterQuoted(pos);
      } else {
        ++pos;
      }
      if (pos == kNone) return kNone;
    }
    return kNone;
  }

  bool SkipProlog() {
    pos_ = 0;
    if constexpr (sizeof(Unit) == 1) {
      if (At(0, "\xEF\xBB\xBF")) pos_ = 3;
    } else {
      if (!text_.empty() && text_[0] == 0xFEFF) pos_ = 1;
    }
    for (;;) {
      pending_indent_ = pos_;
      pos_ = SkipBlanks(pos_);
      if (pos_ >= text_.size() || text_[pos_] != '<') return false;
      // The blanks before the document element are its indentation.
      if (pos_ + 1 < text_.size() && text_[pos_ + 1] != '?' && text_[pos_ + 1] != '!') return true;
      pos_ = AfterMisc(pos_);
      if (pos_ == kNone) return false;
    }
  }

  std::size_t AddNode(XmlNodeKind kind, std::size_t start, std::size_t end, std::size_t indent) {
    XmlTextNode node;
    node.kind = kind;
    node.start = Position(start);
    node.end = Position(end);
    node.indent_start = Position(indent);
    node.parent = Position(parent_);
    const std::size_t id = map_.nodes.size();
    if (parent_ != kNone) {
      XmlTextNode& parent = map_.nodes[parent_];
      if (parent.last_child == kNone) {
        parent.first_child = Position(id);
      } else {
        map_.nodes[parent.last_child].next_sibling = Position(id);
      }
      parent.last_child = Position(id);
    }
    map_.nodes.push_back(node);
    return id;
  }

  // Reads a start tag at pos_ and opens the element; false when it is not one.
  bool OpenElement(std::size_t indent) {
    const std::size_t start = pos_;
    const std::size_t name_end = SkipName(start + 1);
    if (name_end == start + 1) return false;
    std::size_t pos = name_end;
    for (;;) {
      pos = SkipBlanks(pos);
      if (pos >= text_.size()) return false;
      if (text_[pos] == '>' || At(pos, "/>")) break;
      const std::size_t attribute_end = SkipName(pos);
      if (attribute_end == pos) return false;
      pos = SkipBlanks(attribute_end);
      if (pos >= text_.size() || text_[pos] != '=') return false;
      pos = AfterQuoted(SkipBlanks(pos + 1));
      if (pos == kNone) return false;
    }
    const std::size_t id = AddNode(XmlNodeKind::kElement, start, kNone, indent);
    XmlTextNode& element = map_.nodes[id];
    element.name_end = Position(name_end);
    if (text_[pos] == '/') {
      element.slash = Position(pos);
      element.end = element.content_start = element.content_end = Position(pos + 2);
      pos_ = pos + 2;
      return true;
    }
    element.content_start = Position(pos + 1);
    pos_ = pos + 1;
    parent_ = id;
    return true;
  }

  // Reads the end tag at pos_ for the open element; false when it is not its end tag.
  bool CloseElement() {
    XmlTextNode& element = map_.nodes[parent_];
    const std::size_t name_length = element.name_end - element.start - 1;
    const std::size_t name_end = SkipName(pos_ + 2);
    if (name_end - pos_ - 2 != name_length ||
        text_.substr(pos_ + 2, name_length) != text_.substr(element.start + 1, name_length)) {
      return false;
    }
    const std::size_t close = SkipBlanks(name_end);
    if (close >= text_.size() || text_[close] != '>') return false;
    element.content_end = Position(pos_);
    element.end = Position(close + 1);
    pos_ = close + 1;
    parent_ = element.parent;
    return true;
  }

  // The value of a character reference [pos, end), 0 when it is none.
  [[nodiscard]] unsigned long CharacterReference(std::size_t pos, std::size_t end) const {
    if (!At(pos, "&#")) return 0;
    pos += 2;
    const bool hex = pos < end && text_[pos] == 'x';
    if (hex) ++pos;
    unsigned long value = 0;
    for (; pos + 1 < end && value < 0x110000; ++pos) {
      const auto c = static_cast<unsigned long>(text_[pos]);
      const unsigned long digit = c >= '0' && c <= '9'          ? c - '0'
                                  : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                : 99;
      if (digit == 99) return 0;
      value = value * (hex ? 16 : 10) + digit;
    }
    return value;
  }

  // After the reference whose "&" stands at pos; kNone when no ";" ends it before markup.
  [[nodiscard]] std::size_t ReferenceEnd(std::size_t pos) const {
    for (++pos; pos < text_.size() && text_[pos] != '<'; ++pos) {
      if (text_[pos] == ';') return pos + 1;
    }
    return kNone;
  }

  [[nodiscard]] bool IsPredefinedEntity(std::size_t pos, std::size_t end) const {
    const std::size_t length = end - pos;
    for (const std::string_view entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
      if (length == entity.size() && At(pos, entity)) return true;
    }
    return false;
  }

  // Character data from pos_ up to the next markup: text nodes, split by references to declared
  // entities, which are nodes of their own. Whitespace-only text becomes the indentation of
  // the node after it.
  bool ScanCharacterData(std::size_t& indent) {
    std::size_t run = pos_;
    bool blank = true;
    while (pos_ < text_.size() && text_[pos_] != '<') {
      const Unit c = text_[pos_];
      if (c != '&') {
        if (!IsBlank(c)) blank = false;
        ++pos_;
        continue;
      }
      const std::size_t end = ReferenceEnd(pos_);
      if (end == kNone) return false;
      const unsigned long value = CharacterReference(pos_, end);
      if (value != 0 || IsPredefinedEntity(pos_, end)) {
        if (value != 0x9 && value != 0xA && value != 0xD && value != 0x20) blank = false;
        pos_ = end;
        continue;
      }
      if (blank) {
        AddNode(XmlNodeKind::kOther, pos_, end, run);
      } else {
        AddNode(XmlNodeKind::kText, run, pos_, run);
        AddNode(XmlNodeKind::kOther, pos_, end, pos_);
      }
      pos_ = end;
      run = pos_;
      blank = true;
    }
    if (blank) {
      indent = run;
    } else {
      AddNode(XmlNodeKind::kText, run, pos_, run);
      indent = pos_;
    }
    return true;
  }

  bool ScanElementTree(std::size_t indent) {
    if (!OpenElement(indent)) return false;
    indent = pos_;
    while (parent_ != kNone) {
      if (pos_ >= text_.size()) return false;
      if (text_[pos_] != '<') {
        if (!ScanCharacterData(indent)) return false;
        continue;
      }
      if (At(pos_, "</")) {
        if (!CloseElement()) return false;
      } else if (At(pos_, "<![CDATA[")) {
        const std::size_t end = After(pos_ + 9, "]]>");
        if (end == kNone) return false;
        AddNode(XmlNodeKind::kCData, pos_, end, indent);
        pos_ = end;
      } else if (At(pos_, "<!--")) {
        const std::size_t end = After(pos_ + 4, "-->");
        if (end == kNone) return false;
        AddNode(XmlNodeKind::kComment, pos_, end, indent);
        pos_ = end;
      } else if (At(pos_, "<?")) {
        const std::size_t end = After(pos_ + 2, "?>");
        if (end == kNone) return false;
        AddNode(XmlNodeKind::kOther, pos_, end, indent);
        pos_ = end;
      } else if (!OpenElement(indent)) {
        return false;
      }
      indent = pos_;
    }
    return true;
  }

  View text_;
  std::size_t pos_ = 0;
  std::size_t pending_indent_ = 0;
  std::size_t parent_ = kNone;
  XmlTextMap map_;
};

}  // namespace

std::optional<XmlTextMap> ScanXmlText(std::string_view text) {
  return Scanner<char>(text).Scan();
}

std::optional<XmlTextMap> ScanXmlText(std::u16string_view text) {
  return Scanner<char16_t>(text).Scan();
}

}  // namespace tovrel
