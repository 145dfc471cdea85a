#pragma once

#include <libxml/tree.h>

#include "platform/XmlDom.h"
#include "platform/xml/XmlSource.h"

namespace tovrel::portable {

// The kind of node the DOM hands out for a node of libxml2's tree.
[[nodiscard]] XmlNodeKind Libxml2NodeKind(const xmlNode& node);

// Documents read by libxml2's streaming parser with MSXML's parse settings (whitespace-only text
// dropped, no DTD loading, no entity substitution, no network), held in a compact tree
// (XmlEventTree.h) and written by splicing their text.
class Libxml2DomFactory final : public XmlDomFactory {
 public:
  [[nodiscard]] std::unique_ptr<XmlDocument> CreateDocument() const override;
};

// The parser under those documents, with libxml2's messages kept from the calling thread's
// standard error.
[[nodiscard]] const XmlParser& Libxml2XmlParser();

}  // namespace tovrel::portable
