#pragma once

#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/XmlDom.h"
#include "text/Text.h"

namespace tovrel {

// A direct child that a node path names does not exist. Never leaves the path search.
class EDVXmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A path's components are separated by "\" when it holds one anywhere, else by ".".
// PathFirstPart is the text before the first separator, empty when there is none.
WideText PathFirstPart(WideView path);
// PathRest is the text after the first separator, the whole path when there is none.
WideText PathRest(WideView path);

// The first direct child named `name`; raises EDVXmlError when there is none.
XmlNodePtr XMLFindChild(const XmlNode& node, WideView name);

// Where XMLFindNode looks for a path: the node that its leading components reach as direct
// children, and the last component, searched anywhere below that node. Raises EDVXmlError when a
// component on the way is missing.
struct NodeSearch {
  XmlNodePtr below;
  WideText name;
};
NodeSearch XMLFindSearch(const XmlNode& start, WideView path);

// Shows `visit` the nodes that the search for a last component looks at, in its order: `start`
// itself, then every node below it depth-first in document order, until `visit` gives true. A
// node the DOM fails on (`visit` may raise XmlDomError too) is passed over with its subtree and
// the siblings after it. The siblings still to visit are kept on a stack of their own, so that a
// deep document costs no call stack. True when `visit` gave true.
bool XMLWalkBelow(const XmlNode& start, const std::function<bool(const XmlNode&)>& visit);

// The node a path names below `start`, or null. Intermediate components name direct children;
// the last one is searched depth-first in document order, `start` itself first. A leading
// component equal to the name of the node reached is consumed by it. Never raises a DOM error.
XmlNodePtr XMLFindNode(const XmlNode& start, WideView path);

// The node a path names below `start`, creating missing elements on the way; components are
// searched deep, so an existing element of that name anywhere below is reused. Sets the text of
// the last node to `value` unless it is empty. DOM errors pass through.
XmlNodePtr XMLCreateNode(XmlNode& start, WideView path, WideView value);

// Every node XMLFindNode could answer for the path, in the order of its search, so the first is
// the one it answers: the copies of a node that a file holds more than once. Empty when a
// component on the way is missing. Never raises a DOM error.
std::vector<XmlNodePtr> XMLFindAll(const XmlNode& start, WideView path);

// The node XMLFindNode finds for the path, or else the path created where that search stops:
// missing intermediate components become direct children, a missing last one a child of the node
// reached. Reading the same path afterwards finds the node given. DOM errors pass through.
XmlNodePtr XMLFindOrCreateNode(XmlNode& start, WideView path);

}  // namespace tovrel
