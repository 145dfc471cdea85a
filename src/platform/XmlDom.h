#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ByteSink.h"
#include "text/Text.h"

namespace tovrel {

// Raised by a DOM backend when the platform refuses an operation (an invalid element name, a
// node kind that cannot take a child) or cannot provide a document at all.
class XmlDomError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class XmlNodeKind { kElement, kText, kCData, kComment, kOther };

class XmlNode;
using XmlNodePtr = std::unique_ptr<XmlNode>;

// A thin handle on one node of a loaded document; it never outlives its document.
class XmlNode {
 public:
  virtual ~XmlNode() = default;

  // Another handle on the same node.
  [[nodiscard]] virtual XmlNodePtr Clone() const = 0;

  // The DOM node name: an element's qualified name, "#text", "#cdata-section", "#comment".
  [[nodiscard]] virtual WideText Name() const = 0;
  // Whether Name() is `name`; a backend may answer without building the name, as the path
  // search asks it of every node it passes.
  [[nodiscard]] virtual bool HasName(WideView name) const { return Name() == name; }
  [[nodiscard]] virtual XmlNodeKind Kind() const = 0;

  // Child nodes of every kind in document order, stepped through from the first one; null
  // when there is none (a node the DOM cannot hand out counts as absent). An entity reference
  // is a leaf: what it stands for is not walked, and never changed.
  [[nodiscard]] virtual XmlNodePtr FirstChild() const = 0;
  [[nodiscard]] virtual XmlNodePtr NextSibling() const = 0;

  // The value of a text, CDATA or comment node; empty for other kinds.
  [[nodiscard]] virtual WideText Value() const = 0;
  // Replaces the value of a text or CDATA node; raises XmlDomError for a value that could not be
  // loaded back (XmlContent.h).
  virtual void SetValue(WideView value) = 0;

  // Appends an empty text node as the last child, in place of any whitespace-only text, and
  // gives it.
  virtual XmlNodePtr AppendEmptyText() = 0;
  // Appends a new element under exactly that name (no prefix: in no namespace, or in the default
  // namespace in scope), indented like the other children (XmlIndentation.h); raises XmlDomError
  // for a name that could not be loaded back, and for an element nested deeper than
  // kMaxXmlDepth.
  virtual XmlNodePtr AddChild(WideView name) = 0;
  // Sets an attribute of an element this document added; raises XmlDomError for a name or a
  // value that could not be loaded back, and for an element of the file.
  virtual void SetAttribute(WideView name, WideView value) = 0;
  // An element's attributes as name and value: its namespace declarations (xmlns, xmlns:p)
  // first, then the others, each in document order; empty for other kinds.
  [[nodiscard]] virtual std::vector<std::pair<WideText, WideText>> Attributes() const = 0;
  // Takes this node out of the document, with the whitespace-only text before it (its
  // indentation); raises XmlDomError for the document element. The handle must not be used
  // afterwards.
  virtual void Remove() = 0;
};

// Where a parser stopped on bytes that are not a document, and why, in its own words.
struct XmlParseError {
  // Counted from 1; 0 when the parser gave no position.
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  WideText message;
};

// One in-memory document, loaded from a file, changed, and serialised back.
class XmlDocument {
 public:
  virtual ~XmlDocument() = default;

  // Parses the file without validation or external resources; false when the file is missing,
  // unreadable or not well-formed. Whitespace-only text is no node: children are stepped through
  // as if it were not there.
  [[nodiscard]] virtual bool LoadFromFile(WideView file_name) = 0;
  // Why the last LoadFromFile found the file's bytes no document; nullopt after a successful
  // load, before any, or when the file itself could not be read.
  [[nodiscard]] virtual std::optional<XmlParseError> ParseError() const = 0;
  // The root element of the loaded document; null before a successful load.
  [[nodiscard]] virtual XmlNodePtr DocumentElement() const = 0;
  // Writes the loaded file with the changes made into the sink: every byte outside the spans the
  // changes touch as it was (XmlSplicedDocument.h); false when the changes cannot be written in
  // the file's encoding, the parser would not load the result again, or the sink refused.
  [[nodiscard]] virtual bool Write(const ByteSink& sink) const = 0;
};

// Makes documents; raises XmlDomError when the platform has no usable DOM.
class XmlDomFactory {
 public:
  virtual ~XmlDomFactory() = default;
  [[nodiscard]] virtual std::unique_ptr<XmlDocument> CreateDocument() const = 0;
};

}  // namespace tovrel
