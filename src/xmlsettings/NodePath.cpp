#include "xmlsettings/NodePath.h"

#include <vector>

#include "xmlsettings/ElementText.h"

namespace tovrel {
namespace {

std::size_t SeparatorPosition(WideView path) {
  const std::size_t backslash = path.find(u'\\');
  return backslash != WideView::npos ? backslash : path.find(u'.');
}

bool HasSeparator(WideView path) {
  return path.find_first_of(u"\\.") != WideView::npos;
}

// The last component: the first node of that name in the search's walk.
XmlNodePtr FindDeep(const XmlNode& start, WideView name) {
  XmlNodePtr found;
  XMLWalkBelow(start, [&](const XmlNode& node) {
    if (!node.HasName(name)) return false;
    found = node.Clone();
    return true;
  });
  return found;
}

XmlNodePtr FindDirectChild(const XmlNode& node, WideView name) {
  for (XmlNodePtr child = node.FirstChild(); child; child = child->NextSibling()) {
    if (child->HasName(name)) return child;
  }
  return nullptr;
}

}  // namespace

WideText PathFirstPart(WideView path) {
  const std::size_t separator = SeparatorPosition(path);
  return separator == WideView::npos ? WideText() : WideText(path.substr(0, separator));
}

WideText PathRest(WideView path) {
  const std::size_t separator = SeparatorPosition(path);
  return separator == WideView::npos ? WideText(path) : WideText(path.substr(separator + 1));
}

XmlNodePtr XMLFindChild(const XmlNode& node, WideView name) {
  if (XmlNodePtr child = FindDirectChild(node, name)) return child;
  throw EDVXmlError("Child node: <<" + NarrowAscii(name) + ">> not found");
}

bool XMLWalkBelow(const XmlNode& start, const std::function<bool(const XmlNode&)>& visit) {
  std::vector<XmlNodePtr> pending_siblings;
  XmlNodePtr node = start.Clone();
  for (bool is_start = true; node; is_start = false) {
    XmlNodePtr next;
    try {
      if (visit(*node)) return true;
      if (!is_start) {
        if (XmlNodePtr sibling = node->NextSibling()) {
          pending_siblings.push_back(std::move(sibling));
        }
      }
      next = node->FirstChild();
    } catch (const XmlDomError&) {
    }
    if (!next && !pending_siblings.empty()) {
      next = std::move(pending_siblings.back());
      pending_siblings.pop_back();
    }
    node = std::move(next);
  }
  return false;
}

NodeSearch XMLFindSearch(const XmlNode& start, WideView path) {
  XmlNodePtr node = start.Clone();
  WideText rest(path);
  for (;;) {
    if (node->HasName(PathFirstPart(rest))) rest = PathRest(rest);
    if (!HasSeparator(rest)) return NodeSearch{std::move(node), std::move(rest)};
    node = XMLFindChild(*node, PathFirstPart(rest));
    rest = PathRest(rest);
  }
}

XmlNodePtr XMLFindNode(const XmlNode& start, WideView path) {
  try {
    const NodeSearch search = XMLFindSearch(start, path);
    return FindDeep(*search.below, search.name);
  } catch (const EDVXmlError&) {
    return nullptr;
  } catch (const XmlDomError&) {
    return nullptr;
  }
}

std::vector<XmlNodePtr> XMLFindAll(const XmlNode& start, WideView path) {
  std::vector<XmlNodePtr> found;
  try {
    const NodeSearch search = XMLFindSearch(start, path);
    XMLWalkBelow(*search.below, [&](const XmlNode& node) {
      if (node.HasName(search.name)) found.push_back(node.Clone());
      return false;
    });
  } catch (const EDVXmlError&) {
  } catch (const XmlDomError&) {
  }
  return found;
}

XmlNodePtr XMLCreateNode(XmlNode& start, WideView path, WideView value) {
  XmlNodePtr node = start.Clone();
  WideText remaining(path);
  for (WideText first = PathFirstPart(remaining); !first.empty();
       first = PathFirstPart(remaining)) {
    // A component is one name, dots and all, as the lookup took it: split again, a name such as
    // "x.y" under a backslash path would never find the element the lookup found.
    XmlNodePtr next = FindDeep(*node, first);
    if (!next) next = node->AddChild(first);
    node = std::move(next);
    remaining = PathRest(remaining);
  }
  // Only the last name is left, or the first part was empty and is skipped.
  const WideText last = PathRest(remaining);
  XmlNodePtr target = XMLFindNode(*node, last);
  if (!target) target = node->AddChild(last);
  if (!value.empty()) WriteElementText(*target, value);
  return target;
}

XmlNodePtr XMLFindOrCreateNode(XmlNode& start, WideView path) {
  XmlNodePtr node = start.Clone();
  WideText rest(path);
  for (;;) {
    if (node->HasName(PathFirstPart(rest))) rest = PathRest(rest);
    if (!HasSeparator(rest)) {
      XmlNodePtr found = FindDeep(*node, rest);
      return found ? std::move(found) : node->AddChild(rest);
    }
    const WideText first = PathFirstPart(rest);
    XmlNodePtr child = FindDirectChild(*node, first);
    node = child ? std::move(child) : node->AddChild(first);
    rest = PathRest(rest);
  }
}

}  // namespace tovrel
