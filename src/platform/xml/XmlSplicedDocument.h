#pragma once

#include <memory>

#include "platform/XmlDom.h"
#include "platform/xml/XmlSource.h"

namespace tovrel {

// A settings document that a backend's parser reads and that is written by splicing its text:
// every byte of the file is copied except the spans a change touches (the content of a text set,
// the place where new elements go, the "/" of an empty-element tag that gets content, a node
// taken out with its indentation). The nodes of the parser's tree are mapped to their text by
// document order. Before the new bytes are handed on, the parser must read them back.
std::unique_ptr<XmlDocument> MakeSplicedDocument(const XmlParser& parser);

}  // namespace tovrel
