#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/XmlDom.h"
#include "text/Text.h"

namespace tovrel {

class XmlSourceNode;
using XmlSourceNodePtr = std::unique_ptr<XmlSourceNode>;

// A node of a document as a backend's parser read it: read only, a thin handle that never
// outlives its tree. Whitespace-only text is no node: children are stepped through as if it
// were not there.
class XmlSourceNode {
 public:
  virtual ~XmlSourceNode() = default;

  [[nodiscard]] virtual XmlSourceNodePtr Clone() const = 0;
  // As XmlNode::Name and XmlNode::HasName.
  [[nodiscard]] virtual WideText Name() const = 0;
  [[nodiscard]] virtual bool HasName(WideView name) const { return Name() == name; }
  [[nodiscard]] virtual XmlNodeKind Kind() const = 0;
  // Null when there is none; an entity reference is a leaf.
  [[nodiscard]] virtual XmlSourceNodePtr FirstChild() const = 0;
  [[nodiscard]] virtual XmlSourceNodePtr NextSibling() const = 0;
  // The value of a text, CDATA or comment node; empty for other kinds.
  [[nodiscard]] virtual WideText Value() const = 0;
  // As XmlNode::Attributes.
  [[nodiscard]] virtual std::vector<std::pair<WideText, WideText>> Attributes() const = 0;
};

// One parse of a document.
class XmlSourceTree {
 public:
  virtual ~XmlSourceTree() = default;
  [[nodiscard]] virtual XmlSourceNodePtr DocumentElement() const = 0;
};

// An attribute as a parser read it, in UTF-8.
struct XmlEventAttribute {
  std::string_view name;
  std::string_view value;
};

// What a parser tells as it reads a document element, in document order, all in UTF-8. Nothing
// outside the document element is told. Character data may come in pieces: the Text calls
// between two other calls are one text node. A text node of blanks only may be told or not, and
// is no node to a reader either way.
class XmlEvents {
 public:
  virtual ~XmlEvents() = default;
  // An element's qualified name and its attributes, as XmlNode::Attributes gives them.
  virtual void StartElement(std::string_view name,
                            std::span<const XmlEventAttribute> attributes) = 0;
  virtual void EndElement() = 0;
  virtual void Text(std::string_view piece) = 0;
  virtual void CData(std::string_view value) = 0;
  virtual void Comment(std::string_view value) = 0;
  // A reference to a declared entity, or a processing instruction, by its name or target.
  virtual void Other(std::string_view name) = 0;
};

// What a DOM backend does for the documents that XmlSplicedDocument writes: reading files,
// parsing them without validation or external resources, and encoding text in a code page.
class XmlParser {
 public:
  virtual ~XmlParser() = default;

  // The bytes of the file; null when it is missing or unreadable.
  [[nodiscard]] virtual std::optional<std::string> ReadFile(WideView file_name) const = 0;
  // The document the bytes hold; null when they are not well-formed or hold no element. Raises
  // XmlDomError when the platform has no usable DOM.
  [[nodiscard]] virtual std::unique_ptr<XmlSourceTree> Parse(std::string_view bytes) const = 0;
  // Where and why Parse refuses the bytes; nullopt when it takes them.
  [[nodiscard]] virtual std::optional<XmlParseError> ParseError(std::string_view bytes) const = 0;
  // Reads the bytes, given as pieces in order, as Parse does, and tells what they hold; false,
  // perhaps after telling part of it, when Parse would refuse them. By default this walks the
  // tree Parse builds of the bytes joined; a backend whose parser streams reads the pieces as
  // they are and tells as it reads, without building a tree.
  [[nodiscard]] virtual bool Read(std::span<const std::string_view> pieces,
                                  XmlEvents& events) const;
  [[nodiscard]] bool Read(std::string_view bytes, XmlEvents& events) const {
    return Read(std::span(&bytes, 1), events);
  }
  // The text in the code page (a Windows code page number), null when a character has no byte
  // in it or the code page is not available.
  [[nodiscard]] virtual std::optional<std::string> EncodeInCodePage(WideView text,
                                                                    unsigned code_page) const = 0;
};

}  // namespace tovrel
