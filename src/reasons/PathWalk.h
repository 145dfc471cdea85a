#pragma once

#include <string>
#include <vector>

#include "platform/XmlDom.h"
#include "text/Text.h"

namespace tovrel {

// A node path followed through a loaded document step by step, as XMLGetNode and XMLAddNode
// follow it, told in lines of UTF-8.
struct PathWalk {
  std::vector<std::string> steps;
  // The node read, or the one the write sets; null when there is none.
  XmlNodePtr node;
  // Why the read answers "Empty" or the write 0; empty when it does not.
  std::string failure;
};

// Follows the path as XMLGetNode does: components consumed by the name of the node reached,
// direct children, the last component searched anywhere below; then the text rules.
PathWalk WalkForRead(const XmlNode& root, WideView path);

// Follows the path as XMLAddNode does, creating the missing elements in this document (which is
// never saved) and setting the text, so that each step is the one the write takes.
PathWalk WalkForWrite(XmlNode& root, WideView path, WideView value);

}  // namespace tovrel
