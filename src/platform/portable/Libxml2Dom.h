#pragma once

#include "platform/XmlDom.h"

namespace tovrel::portable {

// Documents parsed and serialised by libxml2, with MSXML's parse settings: whitespace-only text
// dropped, no DTD loading, no entity substitution, no network.
class Libxml2DomFactory final : public XmlDomFactory {
 public:
  [[nodiscard]] std::unique_ptr<XmlDocument> CreateDocument() const override;
};

}  // namespace tovrel::portable
