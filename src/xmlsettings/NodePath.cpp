#include "xmlsettings/NodePath.h"

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

// The last component: the first node of that name in a depth-first, document-order walk, the
// node itself first. A level that fails gives none for its subtree only.
XmlNodePtr FindDeep(const XmlNode& node, WideView name) {
  try {
    if (node.Name() == name) return node.Clone();
    const std::size_t count = node.ChildCount();
    for (std::size_t i = 0; i < count; ++i) {
      if (XmlNodePtr found = FindDeep(*node.Child(i), name)) return found;
    }
  } catch (const XmlDomError&) {
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
  const std::size_t count = node.ChildCount();
  for (std::size_t i = 0; i < count; ++i) {
    XmlNodePtr child = node.Child(i);
    if (child->Name() == name) return child;
  }
  throw EDVXmlError("Child node: <<" + NarrowAscii(name) + ">> not found");
}

XmlNodePtr XMLFindNode(const XmlNode& start, WideView path) {
  try {
    XmlNodePtr node = start.Clone();
    WideText rest(path);
    for (;;) {
      if (PathFirstPart(rest) == node->Name()) rest = PathRest(rest);
      if (!HasSeparator(rest)) return FindDeep(*node, rest);
      node = XMLFindChild(*node, PathFirstPart(rest));
      rest = PathRest(rest);
    }
  } catch (const EDVXmlError&) {
    return nullptr;
  } catch (const XmlDomError&) {
    return nullptr;
  }
}

XmlNodePtr XMLCreateNode(XmlNode& start, WideView path, WideView value) {
  XmlNodePtr node = start.Clone();
  WideText remaining(path);
  for (WideText first = PathFirstPart(remaining); !first.empty();
       first = PathFirstPart(remaining)) {
    XmlNodePtr next = XMLFindNode(*node, first);
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

}  // namespace tovrel
