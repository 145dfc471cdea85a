#pragma once

#include "platform/XmlDom.h"
#include "platform/xml/XmlSource.h"

namespace tovrel::win32 {

// MSXML documents through COM: the classes of MSXML 4.0, 3.0, 2.6 and the version-independent
// one, tried in that order. Needs COM initialised on the calling thread by the host.
class MsxmlDomFactory final : public XmlDomFactory {
 public:
  [[nodiscard]] std::unique_ptr<XmlDocument> CreateDocument() const override;
};

// The parser under those documents.
[[nodiscard]] const XmlParser& MsxmlXmlParser();

}  // namespace tovrel::win32
