#pragma once

#include <string>

#include "Commands.h"

namespace tovrel::tool {

// tovrel explain xml-get FILE PATH | xml-add FILE PATH VALUE: the path followed step by step as
// the library follows it, in UTF-8, ending with what the call would answer. Writes nothing.
std::string ExplainXmlPath(const Arguments& arguments);

}  // namespace tovrel::tool
