#include "platform/xml/XmlSplicedDocument.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/xml/RecycledBlocks.h"
#include "platform/xml/XmlContent.h"
#include "platform/xml/XmlEdits.h"
#include "platform/xml/XmlEncoding.h"
#include "platform/xml/XmlIndentation.h"
#include "platform/xml/XmlReadBack.h"
#include "platform/xml/XmlTextScanner.h"

namespace tovrel {
namespace {

constexpr std::size_t kNone = XmlTextNode::kNone;

// The loaded file: its text, the map of its nodes and the changes made so far.
struct SplicedState {
  std::string bytes;
  XmlEncoding encoding;
  // The text in UTF-16 units, for UTF-16 files.
  std::u16string units;
  // Absent when the file's text cannot be mapped or written (XmlEncoding::Form::kUnsupported):
  // the document is then read only.
  std::optional<XmlTextMap> map;
  XmlEdits edits;

  // The units [from, to) of the text, which are blanks, as text; null when there are none.
  [[nodiscard]] std::optional<WideText> Blanks(std::size_t from, std::size_t to) const {
    if (from >= to) return std::nullopt;
    if (IsWide()) return units.substr(from, to - from);
    WideText blanks;
    for (std::size_t i = from; i < to; ++i) blanks += static_cast<char16_t>(bytes[i]);
    return blanks;
  }

  [[nodiscard]] bool IsWide() const {
    return encoding.form == XmlEncoding::Form::kUtf16Le ||
           encoding.form == XmlEncoding::Form::kUtf16Be;
  }

  [[nodiscard]] const XmlTextNode& Node(std::size_t id) const { return map->nodes[id]; }

  [[nodiscard]] std::optional<WideText> IndentOf(std::size_t id) const {
    return Blanks(Node(id).indent_start, Node(id).start);
  }
};

bool IsBlankNode(const XmlNewNode& node) {
  return !node.element && !node.text.empty() && IsBlankText(node.text);
}

// The node's position among its parent's children.
std::size_t IndexIn(const XmlNewNode& node) {
  const auto& siblings = node.parent->children;
  const auto at = std::ranges::find_if(siblings, [&](const auto& c) { return c.get() == &node; });
  return static_cast<std::size_t>(at - siblings.begin());
}

XmlNewNode* FirstNonBlank(const XmlNewNode& parent, std::size_t from) {
  for (std::size_t i = from; i < parent.children.size(); ++i) {
    if (!IsBlankNode(*parent.children[i])) return parent.children[i].get();
  }
  return nullptr;
}

// The whitespace-only text right before the child at `index`.
std::optional<WideText> BlankBefore(const XmlNewNode& parent, std::size_t index) {
  if (index == 0 || !IsBlankNode(*parent.children[index - 1])) return std::nullopt;
  return parent.children[index - 1]->text;
}

void RemoveBlankChildren(XmlNewNode& parent) {
  std::erase_if(parent.children, [](const auto& child) { return IsBlankNode(*child); });
}

std::unique_ptr<XmlNewNode> NewText(XmlNewNode* parent, WideText text) {
  auto node = std::make_unique<XmlNewNode>();
  node->text = std::move(text);
  node->parent = parent;
  return node;
}

class SplicedNode final : public XmlNode, public RecycledAllocation<SplicedNode> {
 public:
  // A node of the file; `id` is kNone for a document that cannot be written.
  SplicedNode(SplicedState& state, XmlSourceNodePtr source, std::size_t id)
      : state_(state), source_(std::move(source)), id_(id) {}
  // A node this call added.
  SplicedNode(SplicedState& state, XmlNewNode* fresh) : state_(state), fresh_(fresh) {}

  [[nodiscard]] XmlNodePtr Clone() const override {
    if (fresh_) return std::make_unique<SplicedNode>(state_, fresh_);
    return std::make_unique<SplicedNode>(state_, source_->Clone(), id_);
  }

  [[nodiscard]] WideText Name() const override {
    if (source_) return source_->Name();
    return fresh_->element ? fresh_->name : u"#text";
  }

  [[nodiscard]] bool HasName(WideView name) const override {
    if (source_) return source_->HasName(name);
    return fresh_->element ? fresh_->name == name : name == u"#text";
  }

  // Whether this call added the node.
  [[nodiscard]] bool IsNew() const { return fresh_ != nullptr; }

  [[nodiscard]] XmlNodeKind Kind() const override {
    if (source_) return source_->Kind();
    return fresh_->element ? XmlNodeKind::kElement : XmlNodeKind::kText;
  }

  [[nodiscard]] XmlNodePtr FirstChild() const override {
    if (fresh_) return Wrap(FirstNonBlank(*fresh_, 0));
    if (source_->Kind() != XmlNodeKind::kElement) return nullptr;
    return FileChild(source_->FirstChild(), Mapped() ? state_.Node(id_).first_child : kNone, id_);
  }

  [[nodiscard]] XmlNodePtr NextSibling() const override {
    if (fresh_) return Wrap(FirstNonBlank(*fresh_->parent, IndexIn(*fresh_) + 1));
    if (Mapped() && id_ == 0) return nullptr;
    XmlSourceNodePtr next = source_->NextSibling();
    if (!Mapped())
      return next ? std::make_unique<SplicedNode>(state_, std::move(next), kNone) : nullptr;
    return FileChild(std::move(next), state_.Node(id_).next_sibling, state_.Node(id_).parent);
  }

  [[nodiscard]] WideText Value() const override {
    if (fresh_) return fresh_->element ? WideText() : fresh_->text;
    if (Mapped()) {
      if (const auto set = state_.edits.texts.find(id_); set != state_.edits.texts.end()) {
        return set->second;
      }
    }
    return source_->Value();
  }

  void SetValue(WideView value) override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData) {
      throw XmlDomError("not a text node");
    }
    CheckTextValue(value, kind == XmlNodeKind::kCData);
    if (fresh_) {
      fresh_->text = value;
    } else {
      state_.edits.texts[WritableId()] = value;
    }
  }

  XmlNodePtr AppendEmptyText() override {
    if (Kind() != XmlNodeKind::kElement) throw XmlDomError("only elements hold text");
    XmlNewNode& container = Container();
    // The text replaces the element's whitespace.
    RemoveBlankChildren(container);
    if (!fresh_) {
      XmlElementEdit& edit = state_.edits.elements[id_];
      edit.blank_content_replaced = true;
      edit.after.reset();
    }
    container.children.push_back(NewText(&container, {}));
    return Wrap(container.children.back().get());
  }

  XmlNodePtr AddChild(WideView name) override {
    if (Kind() != XmlNodeKind::kElement) throw XmlDomError("only elements hold elements");
    CheckElementName(name);
    if (ElementDepth() >= kMaxXmlDepth) throw XmlDomError("elements nested too deep");
    const NewElementWhitespace whitespace = WhitespaceForNewElement(Surroundings());
    XmlNewNode& container = Container();
    auto element = std::make_unique<XmlNewNode>();
    element->element = true;
    element->name = WideText(name);
    element->parent = &container;
    XmlNewNode* added = element.get();
    auto& children = container.children;
    // Before the blanks that the parent's end tag starts with.
    const bool before_closing = fresh_ && !children.empty() && IsBlankNode(*children.back());
    auto at = before_closing ? children.end() - 1 : children.end();
    at = children.insert(at, std::move(element));
    if (whitespace.before) children.insert(at, NewText(&container, *whitespace.before));
    if (whitespace.after) {
      if (fresh_) {
        children.push_back(NewText(&container, *whitespace.after));
      } else {
        state_.edits.elements[id_].after = whitespace.after;
      }
    }
    return Wrap(added);
  }

  void SetAttribute(WideView name, WideView value) override {
    if (Kind() != XmlNodeKind::kElement || !IsXmlName(name)) {
      throw XmlDomError("invalid attribute name");
    }
    CheckAttributeValue(value);
    // Attributes are only ever given to elements this call adds.
    if (!fresh_) throw XmlDomError("attributes of the file's elements are not written");
    auto& attributes = fresh_->attributes;
    const auto same =
        std::ranges::find_if(attributes, [&](const auto& a) { return a.first == name; });
    if (same != attributes.end()) {
      same->second = WideText(value);
    } else {
      attributes.emplace_back(WideText(name), WideText(value));
    }
  }

  [[nodiscard]] std::vector<std::pair<WideText, WideText>> Attributes() const override {
    return fresh_ ? fresh_->attributes : source_->Attributes();
  }

  void Remove() override {
    if (fresh_) {
      auto& siblings = fresh_->parent->children;
      const std::size_t index = IndexIn(*fresh_);
      const bool indented = index > 0 && IsBlankNode(*siblings[index - 1]);
      siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index - (indented ? 1 : 0)),
                     siblings.begin() + static_cast<std::ptrdiff_t>(index + 1));
      fresh_ = nullptr;
      return;
    }
    const std::size_t id = WritableId();
    if (id == 0) throw XmlDomError("the document element stays");
    state_.edits.removed.insert(id);
  }

 private:
  [[nodiscard]] bool Mapped() const { return id_ != kNone; }

  [[nodiscard]] std::size_t WritableId() const {
    if (!Mapped()) throw XmlDomError("this file cannot be written");
    return id_;
  }

  [[nodiscard]] XmlNodePtr Wrap(XmlNewNode* node) const {
    return node ? std::make_unique<SplicedNode>(state_, node) : nullptr;
  }

  // The child of the file element `parent` that `source` is, mapped to the node `id` of the text,
  // or the first after it that is not taken out; after the file's children come the new ones.
  [[nodiscard]] XmlNodePtr FileChild(XmlSourceNodePtr source, std::size_t id,
                                     std::size_t parent) const {
    if (parent == kNone) {
      return source ? std::make_unique<SplicedNode>(state_, std::move(source), kNone) : nullptr;
    }
    while (source || id != kNone) {
      if (!source || id == kNone || source->Kind() != state_.Node(id).kind) {
        throw XmlDomError("the document and its text disagree");
      }
      if (!state_.edits.removed.contains(id)) {
        return std::make_unique<SplicedNode>(state_, std::move(source), id);
      }
      source = source->NextSibling();
      id = state_.Node(id).next_sibling;
    }
    const auto edit = state_.edits.elements.find(parent);
    return edit == state_.edits.elements.end() ? nullptr
                                               : Wrap(FirstNonBlank(edit->second.inserted, 0));
  }

  // Where this element's new children go.
  XmlNewNode& Container() const {
    if (fresh_) return *fresh_;
    XmlNewNode& inserted = state_.edits.elements[WritableId()].inserted;
    inserted.file_parent = id_;
    return inserted;
  }

  [[nodiscard]] std::size_t FileDepth(std::size_t id) const {
    std::size_t depth = 0;
    for (; id != kNone; id = state_.Node(id).parent) ++depth;
    return depth;
  }

  // The elements from the document element down to this one.
  [[nodiscard]] std::size_t ElementDepth() const {
    if (!fresh_) return FileDepth(WritableId());
    std::size_t depth = 0;
    const XmlNewNode* node = fresh_;
    for (; node->parent != nullptr; node = node->parent) ++depth;
    return depth + FileDepth(node->file_parent);
  }

  // The indentation of a new node's element: the blanks before it among the new nodes, or the
  // file element's own.
  [[nodiscard]] std::optional<WideText> IndentOfNew(const XmlNewNode& node) const {
    if (node.parent == nullptr) return state_.IndentOf(node.file_parent);
    return BlankBefore(*node.parent, IndexIn(node));
  }

  [[nodiscard]] ElementSurroundings Surroundings() const {
    ElementSurroundings surroundings;
    if (fresh_) {
      const auto& children = fresh_->children;
      std::size_t last = children.size();
      while (last > 0 && IsBlankNode(*children[last - 1])) --last;
      surroundings.has_children = last > 0;
      if (last > 0) surroundings.last_child_indent = BlankBefore(*fresh_, last - 1);
      surroundings.parent_indent = IndentOfNew(*fresh_);
      surroundings.grandparent_indent = IndentOfNew(*fresh_->parent);
      if (!children.empty() && IsBlankNode(*children.back())) {
        surroundings.closing_indent = children.back()->text;
      }
      return surroundings;
    }
    const std::size_t id = WritableId();
    const XmlTextNode& node = state_.Node(id);
    const auto found = state_.edits.elements.find(id);
    const XmlElementEdit* edit = found == state_.edits.elements.end() ? nullptr : &found->second;
    // The last child: a new one, or else the last of the file's that stays.
    if (edit != nullptr) {
      const auto& children = edit->inserted.children;
      for (std::size_t i = children.size(); i-- > 0;) {
        if (IsBlankNode(*children[i])) continue;
        surroundings.has_children = true;
        surroundings.last_child_indent = BlankBefore(edit->inserted, i);
        break;
      }
    }
    if (!surroundings.has_children) {
      for (std::size_t child = node.first_child; child != kNone;
           child = state_.Node(child).next_sibling) {
        if (state_.edits.removed.contains(child)) continue;
        surroundings.has_children = true;
        surroundings.last_child_indent = state_.IndentOf(child);
      }
    }
    surroundings.parent_indent = state_.IndentOf(id);
    if (node.parent != kNone) surroundings.grandparent_indent = state_.IndentOf(node.parent);
    if (edit != nullptr && edit->after) {
      surroundings.closing_indent = edit->after;
    } else if (node.slash == kNone && (edit == nullptr || !edit->blank_content_replaced)) {
      const std::size_t end =
          node.last_child != kNone ? state_.Node(node.last_child).end : node.content_start;
      surroundings.closing_indent = state_.Blanks(end, node.content_end);
    }
    return surroundings;
  }

  SplicedState& state_;
  XmlSourceNodePtr source_;
  std::size_t id_ = kNone;
  XmlNewNode* fresh_ = nullptr;
};

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  return units;
}

std::string EncodeUtf16(std::u16string_view units, bool big_endian) {
  std::string bytes(units.size() * 2, '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto high = static_cast<char>(units[i] >> 8);
    const auto low = static_cast<char>(units[i] & 0xFF);
    bytes[2 * i] = big_endian ? high : low;
    bytes[2 * i + 1] = big_endian ? low : high;
  }
  return bytes;
}

// Text in a code page, a character it lacks written as a character reference where allowed.
std::optional<std::string> EncodeWithReferences(const XmlParser& parser, unsigned code_page,
                                                WideView text, bool references) {
  if (std::optional<std::string> whole = parser.EncodeInCodePage(text, code_page)) return whole;
  if (!references) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    const WideView character = text.substr(i, pair ? 2 : 1);
    if (std::optional<std::string> encoded = parser.EncodeInCodePage(character, code_page)) {
      bytes += *encoded;
    } else {
      const unsigned long high = character[0];
      const unsigned long value =
          pair ? 0x10000 + ((high - 0xD800) << 10) + (character[1] - 0xDC00ul) : high;
      bytes += "&#" + std::to_string(value) + ";";
    }
    if (pair) ++i;
  }
  return bytes;
}

class SplicedDocument final : public XmlDocument {
 public:
  explicit SplicedDocument(const XmlParser& parser) : parser_(parser) {}

  [[nodiscard]] bool LoadFromFile(WideView file_name) override {
    unparsed_.reset();
    std::optional<std::string> bytes = parser_.ReadFile(file_name);
    if (!bytes) return false;
    tree_ = parser_.Parse(*bytes);
    if (!tree_) {
      // Kept for ParseError, which only a caller that asks why pays for.
      unparsed_ = std::move(bytes);
      return false;
    }
    state_ = std::make_unique<SplicedState>();
    state_->bytes = std::move(*bytes);
    state_->encoding = DetectXmlEncoding(state_->bytes);
    using Form = XmlEncoding::Form;
    switch (state_->encoding.form) {
      case Form::kUtf16Le:
      case Form::kUtf16Be:
        if (state_->bytes.size() % 2 != 0) break;
        state_->units = DecodeUtf16(state_->bytes, state_->encoding.form == Form::kUtf16Be);
        state_->map = ScanXmlText(state_->units);
        break;
      case Form::kUtf8:
      case Form::kCodePage:
        state_->map = ScanXmlText(state_->bytes);
        break;
      case Form::kUnsupported:
        break;
    }
    return true;
  }

  [[nodiscard]] std::optional<XmlParseError> ParseError() const override {
    if (!unparsed_) return std::nullopt;
    return parser_.ParseError(*unparsed_);
  }

  [[nodiscard]] XmlNodePtr DocumentElement() const override {
    if (!tree_) return nullptr;
    XmlSourceNodePtr root = tree_->DocumentElement();
    if (!root) return nullptr;
    return std::make_unique<SplicedNode>(*state_, std::move(root), state_->map ? 0 : kNone);
  }

  [[nodiscard]] bool Write(const ByteSink& sink) const override {
    if (!state_) return false;
    if (state_->edits.empty()) return sink(state_->bytes);
    const std::optional<SplicedBytes> spliced = Splice();
    if (!spliced) return false;
    // What the parser would not read back as this document, changes and all, is never written.
    const std::optional<XmlReadBackExpectation> expected = Expectation();
    return expected && ReadsBackAs(parser_, spliced->pieces, *expected) &&
           WritePieces(spliced->pieces, sink);
  }

 private:
  // What the changes must read back as: each element of the file they change, at its place in the
  // changed document, and each element they add.
  [[nodiscard]] std::optional<XmlReadBackExpectation> Expectation() const {
    const XmlTextMap& map = *state_->map;
    const XmlEdits& edits = state_->edits;
    std::set<std::size_t> changed;
    for (const auto& [id, value] : edits.texts) changed.insert(map.nodes[id].parent);
    for (const auto& [id, edit] : edits.elements) changed.insert(id);
    for (const std::size_t id : edits.removed) changed.insert(map.nodes[id].parent);
    XmlReadBackExpectation expected;
    expected.element_count = ElementCount();
    const XmlNodePtr root = DocumentElement();
    for (const std::size_t id : changed) {
      const std::optional<std::vector<std::uint32_t>> chain = ChainOf(id);
      // An element inside one taken out is gone with it.
      if (!chain) continue;
      const XmlNodePtr element = ElementAt(*root, *chain);
      if (!element) return std::nullopt;
      expected.elements.push_back(ExpectElement(*element, *chain));
      ExpectNew(*element, *chain, expected);
    }
    return expected;
  }

  // Where the element of the file stands once the changes are made; null when it is taken out.
  [[nodiscard]] std::optional<std::vector<std::uint32_t>> ChainOf(std::size_t id) const {
    const XmlTextMap& map = *state_->map;
    const std::set<std::size_t>& removed = state_->edits.removed;
    std::vector<std::uint32_t> chain;
    for (; id != 0; id = map.nodes[id].parent) {
      if (removed.contains(id)) return std::nullopt;
      std::uint32_t position = 0;
      for (std::size_t sibling = map.nodes[map.nodes[id].parent].first_child; sibling != id;
           sibling = map.nodes[sibling].next_sibling) {
        if (map.nodes[sibling].kind == XmlNodeKind::kElement && !removed.contains(sibling)) {
          ++position;
        }
      }
      chain.push_back(position);
    }
    std::ranges::reverse(chain);
    return chain;
  }

  static XmlNodePtr ElementAt(const XmlNode& root, const std::vector<std::uint32_t>& chain) {
    XmlNodePtr element = root.Clone();
    for (const std::uint32_t position : chain) {
      std::uint32_t seen = 0;
      XmlNodePtr child = element->FirstChild();
      for (; child; child = child->NextSibling()) {
        if (child->Kind() == XmlNodeKind::kElement && seen++ == position) break;
      }
      if (!child) return nullptr;
      element = std::move(child);
    }
    return element;
  }

  // The elements this call added under `element`, at `chain`, each whole.
  static void ExpectNew(const XmlNode& element, const std::vector<std::uint32_t>& chain,
                        XmlReadBackExpectation& expected) {
    std::uint32_t position = 0;
    for (XmlNodePtr child = element.FirstChild(); child; child = child->NextSibling()) {
      if (child->Kind() != XmlNodeKind::kElement) continue;
      std::vector<std::uint32_t> place = chain;
      place.push_back(position++);
      if (!static_cast<const SplicedNode&>(*child).IsNew()) continue;
      expected.elements.push_back(ExpectElement(*child, place));
      ExpectNew(*child, place, expected);
    }
  }

  // The elements of the document once the changes are made.
  [[nodiscard]] std::size_t ElementCount() const {
    const XmlTextMap& map = *state_->map;
    const XmlEdits& edits = state_->edits;
    const auto count_new = [](const XmlNewNode& node, const auto& self) -> std::size_t {
      std::size_t count = node.element ? 1 : 0;
      for (const auto& child : node.children) count += self(*child, self);
      return count;
    };
    std::size_t count = static_cast<std::size_t>(std::ranges::count(
        map.nodes, XmlNodeKind::kElement, [](const XmlTextNode& node) { return node.kind; }));
    for (const std::size_t id : edits.removed) {
      if (!ChainOf(map.nodes[id].parent)) continue;
      // A node's descendants follow it in document order, inside its span.
      for (std::size_t inside = id;
           inside < map.nodes.size() && map.nodes[inside].start < map.nodes[id].end; ++inside) {
        if (map.nodes[inside].kind == XmlNodeKind::kElement) --count;
      }
    }
    for (const auto& [id, edit] : edits.elements) {
      if (ChainOf(id)) count += count_new(edit.inserted, count_new);
    }
    return count;
  }

  // The bytes of the changed document: pieces of the file's bytes, never copied, and the new
  // bytes between them.
  struct SplicedBytes {
    std::vector<std::string_view> pieces;
    // What the pieces that are not the file's point into; a deque never moves them.
    std::deque<std::string> inserted;
  };

  [[nodiscard]] std::optional<SplicedBytes> Splice() const {
    if (!state_->map) return std::nullopt;
    using Form = XmlEncoding::Form;
    const XmlEncoding& encoding = state_->encoding;
    const std::string_view file = state_->bytes;
    SplicedBytes spliced;
    if (state_->IsWide()) {
      std::optional<XmlSplice<char16_t>> pieces =
          SpliceXmlText(state_->units, *state_->map, state_->edits);
      if (!pieces) return std::nullopt;
      // A unit of the text is two bytes of the file.
      for (XmlSplicePiece<char16_t>& piece : *pieces) {
        spliced.pieces.push_back(piece.inserted.empty()
                                     ? file.substr(2 * piece.from, 2 * (piece.to - piece.from))
                                     : spliced.inserted.emplace_back(EncodeUtf16(
                                           piece.inserted, encoding.form == Form::kUtf16Be)));
      }
      return spliced;
    }
    CodePageEncoder encode;
    if (encoding.form == Form::kCodePage) {
      encode = [this, code_page = encoding.code_page](WideView text, bool references) {
        return EncodeWithReferences(parser_, code_page, text, references);
      };
    }
    std::optional<XmlSplice<char>> pieces =
        SpliceXmlText(state_->bytes, *state_->map, state_->edits, encode);
    if (!pieces) return std::nullopt;
    for (XmlSplicePiece<char>& piece : *pieces) {
      spliced.pieces.push_back(piece.inserted.empty()
                                   ? file.substr(piece.from, piece.to - piece.from)
                                   : spliced.inserted.emplace_back(std::move(piece.inserted)));
    }
    return spliced;
  }

  // Hands the pieces on in order, the small ones gathered into blocks, so that a change of many
  // places does not cost a write to the file for each.
  static bool WritePieces(const std::vector<std::string_view>& pieces, const ByteSink& sink) {
    constexpr std::size_t kBlock = 64 * 1024;
    std::string block;
    for (const std::string_view piece : pieces) {
      if (block.size() + piece.size() > kBlock) {
        if (!block.empty() && !sink(block)) return false;
        block.clear();
      }
      if (piece.size() >= kBlock) {
        if (!sink(piece)) return false;
      } else {
        block += piece;
      }
    }
    return block.empty() || sink(block);
  }

  const XmlParser& parser_;
  std::optional<std::string> unparsed_;
  std::unique_ptr<XmlSourceTree> tree_;
  std::unique_ptr<SplicedState> state_;
};

}  // namespace

std::unique_ptr<XmlDocument> MakeSplicedDocument(const XmlParser& parser) {
  return std::make_unique<SplicedDocument>(parser);
}

}  // namespace tovrel
