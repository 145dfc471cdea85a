#pragma once

#include "platform/XmlDom.h"
#include "text/Text.h"

namespace tovrel {

// The text of an element with no children is empty; with exactly one text or CDATA child it is
// that child's value. Anything else raises XmlDomError "Element does not contain a single text
// node", and writing then changes nothing.
WideText ReadElementText(const XmlNode& element);
void WriteElementText(XmlNode& element, WideView text);

}  // namespace tovrel
