#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/XmlDom.h"
#include "platform/xml/XmlSource.h"

namespace tovrel {

// An element that written bytes must hold, as the change meant it, in UTF-8.
struct XmlExpectedElement {
  // Where it stands: its position among the child elements of each element from the document
  // element down (empty for the document element), not a path, which may find another.
  std::vector<std::uint32_t> chain;
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  // Its text and CDATA children joined, as a reader of its value sees them.
  std::string text;
  // Its references to declared entities and processing instructions.
  std::size_t others = 0;
  std::size_t child_elements = 0;
};

// What a change must read back as: the elements it set, added to and took from, each new element
// whole, and the number of elements in the document.
struct XmlReadBackExpectation {
  std::vector<XmlExpectedElement> elements;
  std::size_t element_count = 0;
};

// The expectation of the element `element` at `chain`, as a document holds it now.
[[nodiscard]] XmlExpectedElement ExpectElement(const XmlNode& element,
                                               std::vector<std::uint32_t> chain);

// Whether the parser reads the bytes (in pieces, in order) as a document that holds each expected
// element, exactly, at its place, and as many elements as expected. This is the proof that a change
// wrote what it set, added and removed, and no other element a reader sees came or went. It reads
// the bytes as they stream through the parser and keeps only the content of the expected elements.
[[nodiscard]] bool ReadsBackAs(const XmlParser& parser, std::span<const std::string_view> pieces,
                               const XmlReadBackExpectation& expected);

}  // namespace tovrel
