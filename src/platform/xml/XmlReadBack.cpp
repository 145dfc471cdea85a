#include "platform/xml/XmlReadBack.h"

#include <utility>
#include <vector>

namespace tovrel {
namespace {

bool IsText(XmlNodeKind kind) {
  return kind == XmlNodeKind::kText || kind == XmlNodeKind::kCData;
}

// An element's child elements in order, and its text: its text and CDATA children joined, as a
// reader of the element's value sees them.
template <typename NodePtr>
struct Content {
  std::vector<NodePtr> elements;
  WideText text;
  // Entity references and other nodes that are neither elements nor text, counted.
  std::size_t others = 0;
};

template <typename Node>
auto ContentOf(const Node& element) {
  Content<decltype(element.FirstChild())> content;
  for (auto child = element.FirstChild(); child; child = child->NextSibling()) {
    const XmlNodeKind kind = child->Kind();
    if (kind == XmlNodeKind::kElement) {
      content.elements.push_back(std::move(child->Clone()));
    } else if (IsText(kind)) {
      content.text += child->Value();
    } else if (kind == XmlNodeKind::kOther) {
      ++content.others;
    }
  }
  return content;
}

}  // namespace

bool ReadsBackAs(const XmlNode& meant, const XmlSourceNode& parsed) {
  // Walked with a stack of its own, as a document may be nested as deep as a parser takes.
  std::vector<std::pair<XmlNodePtr, XmlSourceNodePtr>> pending;
  pending.emplace_back(meant.Clone(), parsed.Clone());
  while (!pending.empty()) {
    const auto [left, right] = std::move(pending.back());
    pending.pop_back();
    if (left->Name() != right->Name() || left->Attributes() != right->Attributes()) return false;
    auto left_content = ContentOf(*left);
    auto right_content = ContentOf(*right);
    if (left_content.text != right_content.text || left_content.others != right_content.others ||
        left_content.elements.size() != right_content.elements.size()) {
      return false;
    }
    for (std::size_t i = 0; i < left_content.elements.size(); ++i) {
      pending.emplace_back(std::move(left_content.elements[i]),
                           std::move(right_content.elements[i]));
    }
  }
  return true;
}

}  // namespace tovrel
