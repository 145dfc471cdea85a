#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/xml/XmlSource.h"

namespace tovrel {

struct XmlEventTreeData;

// A document tree built from what a streaming parser tells (XmlParser::Read): the nodes in one
// array and their names and values, in UTF-8, in one block of text. A node takes a few words
// where a DOM node takes a few hundred bytes, so a settings file of megabytes loads in a fraction
// of the memory its DOM would take. Whitespace-only text is left out, as XmlSourceNode hands out
// none.
class XmlEventTreeBuilder final : public XmlEvents {
 public:
  // `size_hint`: the size of the document's bytes, to make room at once for a tree of its size.
  explicit XmlEventTreeBuilder(std::size_t size_hint);
  ~XmlEventTreeBuilder() override;
  XmlEventTreeBuilder(const XmlEventTreeBuilder&) = delete;
  XmlEventTreeBuilder& operator=(const XmlEventTreeBuilder&) = delete;

  void StartElement(std::string_view name, std::span<const XmlEventAttribute> attributes) override;
  void EndElement() override;
  void Text(std::string_view piece) override;
  void CData(std::string_view value) override;
  void Comment(std::string_view value) override;
  void Other(std::string_view name) override;

  // The tree; null when no element was told, or its text outgrew the 4 GiB a tree holds.
  [[nodiscard]] std::unique_ptr<XmlSourceTree> Finish();

 private:
  std::unique_ptr<XmlEventTreeData> tree_;
};

}  // namespace tovrel
