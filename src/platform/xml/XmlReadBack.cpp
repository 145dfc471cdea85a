#include "platform/xml/XmlReadBack.h"

#include <map>
#include <optional>

#include "platform/xml/XmlIndentation.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

// The expected elements by their chains: the places on the way to one, and the places of them.
struct Place {
  const XmlExpectedElement* expected = nullptr;
  std::map<std::uint32_t, Place> children;
};

// Follows the parse as it streams, keeping the content of the expected elements only.
class ReadBackCheck final : public XmlEvents {
 public:
  explicit ReadBackCheck(const XmlReadBackExpectation& expected) : expected_(expected) {
    for (const XmlExpectedElement& element : expected.elements) {
      Place* place = &document_element_;
      for (const std::uint32_t position : element.chain) place = &place->children[position];
      place->expected = &element;
    }
  }

  void StartElement(std::string_view name, std::span<const XmlEventAttribute> attributes) override {
    ++element_count_;
    const Place* place = element_count_ == 1 ? &document_element_ : nullptr;
    if (!open_.empty()) {
      Open& parent = open_.back();
      EndText(parent);
      const std::uint32_t position = parent.child_elements++;
      if (parent.place != nullptr) {
        const auto child = parent.place->children.find(position);
        if (child != parent.place->children.end()) place = &child->second;
      }
    }
    open_.emplace_back().place = place;
    if (!open_.back().Expected()) return;
    ++found_;
    const XmlExpectedElement& expected = *place->expected;
    bool same = name == expected.name && attributes.size() == expected.attributes.size();
    for (std::size_t i = 0; same && i < attributes.size(); ++i) {
      same = attributes[i].name == expected.attributes[i].first &&
             attributes[i].value == expected.attributes[i].second;
    }
    if (!same) differs_ = true;
  }

  void EndElement() override {
    if (open_.empty()) return;
    Open& element = open_.back();
    EndText(element);
    if (element.Expected()) {
      const XmlExpectedElement& expected = *element.place->expected;
      if (element.text != expected.text || element.others != expected.others ||
          element.child_elements != expected.child_elements) {
        differs_ = true;
      }
    }
    open_.pop_back();
  }

  void Text(std::string_view piece) override {
    Open* element = Expected();
    if (element == nullptr) return;
    if (!element->text_start) element->text_start = element->text.size();
    element->text.append(piece);
  }

  void CData(std::string_view value) override {
    Open* element = Expected();
    if (element == nullptr) return;
    EndText(*element);
    element->text.append(value);
  }

  void Comment(std::string_view) override {
    if (Open* element = Expected()) EndText(*element);
  }

  void Other(std::string_view) override {
    Open* element = Expected();
    if (element == nullptr) return;
    EndText(*element);
    ++element->others;
  }

  [[nodiscard]] bool Holds() const {
    return !differs_ && found_ == expected_.elements.size() &&
           element_count_ == expected_.element_count;
  }

 private:
  struct Open {
    const Place* place = nullptr;
    std::uint32_t child_elements = 0;
    // For an expected element: its text so far, where the text node being told starts in it,
    // and its other nodes.
    std::string text;
    std::optional<std::size_t> text_start;
    std::size_t others = 0;

    [[nodiscard]] bool Expected() const { return place != nullptr && place->expected != nullptr; }
  };

  [[nodiscard]] Open* Expected() {
    return !open_.empty() && open_.back().Expected() ? &open_.back() : nullptr;
  }

  // Ends the text node being told; one of blanks only is no node to a reader.
  static void EndText(Open& element) {
    if (!element.text_start) return;
    if (IsBlankUtf8(std::string_view(element.text).substr(*element.text_start))) {
      element.text.resize(*element.text_start);
    }
    element.text_start.reset();
  }

  const XmlReadBackExpectation& expected_;
  Place document_element_;
  std::vector<Open> open_;
  std::size_t element_count_ = 0;
  std::size_t found_ = 0;
  bool differs_ = false;
};

}  // namespace

XmlExpectedElement ExpectElement(const XmlNode& element, std::vector<std::uint32_t> chain) {
  XmlExpectedElement expected;
  expected.chain = std::move(chain);
  expected.name = ToUtf8(element.Name());
  for (const auto& [name, value] : element.Attributes()) {
    expected.attributes.emplace_back(ToUtf8(name), ToUtf8(value));
  }
  for (XmlNodePtr child = element.FirstChild(); child; child = child->NextSibling()) {
    switch (child->Kind()) {
      case XmlNodeKind::kElement:
        ++expected.child_elements;
        break;
      case XmlNodeKind::kText:
      case XmlNodeKind::kCData:
        expected.text += ToUtf8(child->Value());
        break;
      case XmlNodeKind::kOther:
        ++expected.others;
        break;
      case XmlNodeKind::kComment:
        break;
    }
  }
  return expected;
}

bool ReadsBackAs(const XmlParser& parser, std::span<const std::string_view> pieces,
                 const XmlReadBackExpectation& expected) {
  ReadBackCheck check(expected);
  return parser.Read(pieces, check) && check.Holds();
}

}  // namespace tovrel
