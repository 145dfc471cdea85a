#pragma once

#include <libxml/tree.h>

#include "platform/XmlDom.h"

namespace tovrel::portable {

// The kind of node the DOM hands out for a node of libxml2's tree.
[[nodiscard]] XmlNodeKind Libxml2NodeKind(const xmlNode& node);

// Documents parsed and serialised by libxml2, with MSXML's parse settings: whitespace-only text
// dropped, no DTD loading, no entity substitution, no network.
class Libxml2DomFactory final : public XmlDomFactory {
 public:
  [[nodiscard]] std::unique_ptr<XmlDocument> CreateDocument() const override;
};

}  // namespace tovrel::portable
