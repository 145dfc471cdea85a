#pragma once

#include "platform/Text.h"

namespace tovrel {

// True when the text is an XML 1.0 Name, which is what a DOM accepts as an element or attribute
// name. Both DOM backends check names with this, so that they refuse the same ones.
bool IsXmlName(WideView name);

}  // namespace tovrel
