#pragma once

#include "platform/xml/XmlSource.h"

namespace tovrel::test {

// The parser of this build's DOM backend.
const XmlParser& BackendXmlParser();

}  // namespace tovrel::test
