#include "platform/xml/XmlEventTree.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/xml/RecycledBlocks.h"
#include "platform/xml/XmlIndentation.h"
#include "text/Utf8.h"

namespace tovrel {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kMaxBlock = std::numeric_limits<std::uint32_t>::max();

// A place in the block of text.
struct Span {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

struct Node {
  XmlNodeKind kind = XmlNodeKind::kOther;
  // An element's qualified name; the value of a text, CDATA section or comment; the name of
  // another node.
  Span text;
  std::uint32_t first_child = kNone;
  std::uint32_t next_sibling = kNone;
  // An element's attributes: [first_attribute, first_attribute + attribute_count).
  std::uint32_t first_attribute = 0;
  std::uint32_t attribute_count = 0;
};

// Whether the UTF-8 text is the UTF-16 one; compared in place while both are ASCII.
bool SameText(std::string_view utf8, WideView wide) {
  std::size_t i = 0;
  for (; i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80; ++i) {
    if (i == wide.size() || wide[i] != static_cast<char16_t>(utf8[i])) return false;
  }
  return i == utf8.size() ? i == wide.size() : FromUtf8(utf8) == wide;
}

}  // namespace

struct XmlEventTreeData {
  std::string block;
  std::vector<Node> nodes;
  std::vector<std::pair<Span, Span>> attributes;
  bool too_large = false;

  // While the tree is built: the elements told to start and not yet to end, each with its last
  // child so far, and where the text node being told starts in the block, while one is.
  struct Open {
    std::uint32_t id;
    std::uint32_t last_child = kNone;
  };
  std::vector<Open> open;
  std::optional<std::size_t> text_start;

  [[nodiscard]] std::string_view View(Span span) const {
    return std::string_view(block).substr(span.offset, span.size);
  }

  // Whether what is told now belongs in the tree: it is the document element, or inside it.
  [[nodiscard]] bool Inside() const { return !open.empty(); }

  bool Fits(std::size_t more) {
    if (block.size() + more > kMaxBlock || nodes.size() >= kNone) too_large = true;
    return !too_large;
  }

  Span Keep(std::string_view text) {
    if (!Fits(text.size())) return {};
    const Span span{static_cast<std::uint32_t>(block.size()),
                    static_cast<std::uint32_t>(text.size())};
    block.append(text);
    return span;
  }

  // Puts the node last among the children of the innermost open element, or makes it the
  // document element; gives its number.
  std::uint32_t Append(XmlNodeKind kind, Span text) {
    const auto id = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back({.kind = kind, .text = text});
    if (!open.empty()) {
      Open& parent = open.back();
      (parent.last_child == kNone ? nodes[parent.id].first_child
                                  : nodes[parent.last_child].next_sibling) = id;
      parent.last_child = id;
    }
    return id;
  }

  // Ends the text node being told, leaving it out when it is blanks only.
  void EndText() {
    if (!text_start) return;
    const std::size_t start = *text_start;
    text_start.reset();
    const std::string_view text = std::string_view(block).substr(start);
    if (IsBlankUtf8(text) || !Fits(0)) {
      block.resize(start);
      return;
    }
    // The text is in the block already.
    Append(XmlNodeKind::kText,
           {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(text.size())});
  }

  void AddLeaf(XmlNodeKind kind, std::string_view text) {
    EndText();
    if (Inside() && Fits(0)) Append(kind, Keep(text));
  }
};

namespace {

class EventTreeNode final : public XmlSourceNode, public RecycledAllocation<EventTreeNode> {
 public:
  EventTreeNode(const XmlEventTreeData& tree, std::uint32_t id) : tree_(tree), id_(id) {}

  [[nodiscard]] XmlSourceNodePtr Clone() const override {
    return std::make_unique<EventTreeNode>(tree_, id_);
  }

  [[nodiscard]] WideText Name() const override {
    if (const WideView fixed = FixedName(); !fixed.empty()) return WideText(fixed);
    return FromUtf8(tree_.View(node().text));
  }

  [[nodiscard]] bool HasName(WideView name) const override {
    if (const WideView fixed = FixedName(); !fixed.empty()) return name == fixed;
    return SameText(tree_.View(node().text), name);
  }

  [[nodiscard]] XmlNodeKind Kind() const override { return node().kind; }

  [[nodiscard]] XmlSourceNodePtr FirstChild() const override { return At(node().first_child); }

  [[nodiscard]] XmlSourceNodePtr NextSibling() const override { return At(node().next_sibling); }

  [[nodiscard]] WideText Value() const override {
    if (FixedName().empty()) return {};
    return FromUtf8(tree_.View(node().text));
  }

  [[nodiscard]] std::vector<std::pair<WideText, WideText>> Attributes() const override {
    std::vector<std::pair<WideText, WideText>> attributes;
    const Node& element = node();
    for (std::uint32_t i = 0; i < element.attribute_count; ++i) {
      const auto& [name, value] = tree_.attributes[element.first_attribute + i];
      attributes.emplace_back(FromUtf8(tree_.View(name)), FromUtf8(tree_.View(value)));
    }
    return attributes;
  }

 private:
  [[nodiscard]] const Node& node() const { return tree_.nodes[id_]; }

  [[nodiscard]] XmlSourceNodePtr At(std::uint32_t id) const {
    return id == kNone ? nullptr : std::make_unique<EventTreeNode>(tree_, id);
  }

  // The DOM's name of a node kind that has no name of its own; empty for the others.
  [[nodiscard]] WideView FixedName() const {
    switch (node().kind) {
      case XmlNodeKind::kText:
        return u"#text";
      case XmlNodeKind::kCData:
        return u"#cdata-section";
      case XmlNodeKind::kComment:
        return u"#comment";
      case XmlNodeKind::kElement:
      case XmlNodeKind::kOther:
        return {};
    }
    return {};
  }

  const XmlEventTreeData& tree_;
  std::uint32_t id_;
};

class EventTree final : public XmlSourceTree {
 public:
  explicit EventTree(std::unique_ptr<XmlEventTreeData> tree) : tree_(std::move(tree)) {}

  [[nodiscard]] XmlSourceNodePtr DocumentElement() const override {
    return std::make_unique<EventTreeNode>(*tree_, 0);
  }

 private:
  std::unique_ptr<XmlEventTreeData> tree_;
};

}  // namespace

XmlEventTreeBuilder::XmlEventTreeBuilder(std::size_t size_hint)
    : tree_(std::make_unique<XmlEventTreeData>()) {
  // Room that is never written costs address space only. Names and values take at most the
  // document's size in most encodings, and a node stands for a dozen bytes or more of a
  // settings file.
  tree_->block.reserve(std::min(size_hint, kMaxBlock));
  tree_->nodes.reserve(size_hint / 12);
}

XmlEventTreeBuilder::~XmlEventTreeBuilder() = default;

void XmlEventTreeBuilder::StartElement(std::string_view name,
                                       std::span<const XmlEventAttribute> attributes) {
  XmlEventTreeData& tree = *tree_;
  tree.EndText();
  const bool document_element = tree.nodes.empty();
  if ((!document_element && !tree.Inside()) || !tree.Fits(0)) return;
  const std::uint32_t id = tree.Append(XmlNodeKind::kElement, tree.Keep(name));
  tree.nodes[id].first_attribute = static_cast<std::uint32_t>(tree.attributes.size());
  tree.nodes[id].attribute_count = static_cast<std::uint32_t>(attributes.size());
  for (const XmlEventAttribute& attribute : attributes) {
    const Span attribute_name = tree.Keep(attribute.name);
    tree.attributes.emplace_back(attribute_name, tree.Keep(attribute.value));
  }
  tree.open.push_back({id});
}

void XmlEventTreeBuilder::EndElement() {
  tree_->EndText();
  if (tree_->Inside()) tree_->open.pop_back();
}

void XmlEventTreeBuilder::Text(std::string_view piece) {
  XmlEventTreeData& tree = *tree_;
  if (!tree.Inside() || !tree.Fits(piece.size())) return;
  if (!tree.text_start) tree.text_start = tree.block.size();
  tree.block.append(piece);
}

void XmlEventTreeBuilder::CData(std::string_view value) {
  tree_->AddLeaf(XmlNodeKind::kCData, value);
}

void XmlEventTreeBuilder::Comment(std::string_view value) {
  tree_->AddLeaf(XmlNodeKind::kComment, value);
}

void XmlEventTreeBuilder::Other(std::string_view name) {
  tree_->AddLeaf(XmlNodeKind::kOther, name);
}

std::unique_ptr<XmlSourceTree> XmlEventTreeBuilder::Finish() {
  tree_->EndText();
  if (tree_->nodes.empty() || tree_->too_large) return nullptr;
  tree_->open = {};
  return std::make_unique<EventTree>(std::move(tree_));
}

}  // namespace tovrel
