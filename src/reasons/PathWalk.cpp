#include "reasons/PathWalk.h"

#include <cstdio>
#include <utility>

#include "platform/xml/XmlContent.h"
#include "text/Utf8.h"
#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"

namespace tovrel {
namespace {

std::string U8(WideView text) {
  return ToUtf8(text);
}

std::string Named(WideView name) {
  // Appended: GCC 12 takes "'" + a temporary for an overlapping copy (-Wrestrict).
  std::string named(1, '\'');
  named += U8(name);
  named += '\'';
  return named;
}

bool HasSeparator(WideView path) {
  return path.find_first_of(u".\\") != WideView::npos;
}

// A node found by a deep search, with where it lies: the names from the root down.
struct Located {
  XmlNodePtr node;
  std::string where;
};

std::vector<XmlNodePtr> Children(const XmlNode& node) {
  std::vector<XmlNodePtr> children;
  for (XmlNodePtr child = node.FirstChild(); child;) {
    XmlNodePtr next = child->NextSibling();
    children.push_back(std::move(child));
    child = std::move(next);
  }
  return children;
}

// The search for one name below a node, the node itself first, then depth-first in document
// order, as the path search makes it.
Located FindDeep(const XmlNode& start, const std::string& where, WideView name) {
  if (start.Name() == name) return {start.Clone(), where};
  // The nodes still to visit, the next one last, each with its parent's place.
  std::vector<std::pair<XmlNodePtr, std::string>> stack;
  const auto push_children = [&stack](const XmlNode& node, const std::string& place) {
    std::vector<XmlNodePtr> children = Children(node);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      stack.emplace_back(std::move(*child), place);
    }
  };
  push_children(start, where);
  while (!stack.empty()) {
    auto [node, parent] = std::move(stack.back());
    stack.pop_back();
    const std::string here = parent + "/" + U8(node->Name());
    if (node->Name() == name) return {std::move(node), here};
    push_children(*node, here);
  }
  return {nullptr, {}};
}

XmlNodePtr FindDirectChild(const XmlNode& node, WideView name) {
  for (XmlNodePtr& child : Children(node)) {
    if (child->Name() == name) return std::move(child);
  }
  return nullptr;
}

// What an element holds instead of a single text.
std::string WhatItHolds(const XmlNode& node) {
  std::size_t texts = 0;
  for (const XmlNodePtr& child : Children(node)) {
    switch (child->Kind()) {
      case XmlNodeKind::kElement:
        return "child elements";
      case XmlNodeKind::kComment:
        return "a comment";
      case XmlNodeKind::kOther:
        return "a processing instruction or an entity reference";
      default:
        ++texts;
    }
  }
  return texts > 1 ? "several text nodes" : "no single text";
}

std::string CodePoint(char16_t c) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
  return hex;
}

// Why a name cannot become a new element; empty when it can.
std::string UnusableName(WideView name) {
  if (name.empty()) return "the path has an empty component where an element must be created";
  if (!IsXmlName(name)) return Named(name) + " is not an XML name";
  if (name.find(u':') != WideView::npos) {
    return Named(name) + ": a new element's name holds no colon (it takes its parent's prefix)";
  }
  try {
    CheckElementName(name);
  } catch (const XmlDomError&) {
    return Named(name) + " is longer than 50,000 UTF-8 bytes";
  }
  return {};
}

// Why a value cannot be written; empty when it can.
std::string UnusableValue(WideView value) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const bool pair = value[i] >= 0xD800 && value[i] < 0xDC00 && i + 1 < value.size() &&
                      IsXmlText(value.substr(i, 2));
    if (pair) {
      ++i;
    } else if (!IsXmlText(value.substr(i, 1))) {
      return "the value holds a character XML cannot hold (" + CodePoint(value[i]) +
             " at position " + std::to_string(i + 1) + ")";
    }
  }
  try {
    CheckTextValue(value, false);
  } catch (const XmlDomError&) {
    return "the value is longer than 10,000,000 UTF-8 bytes";
  }
  return {};
}

// The path search of a read, told step by step; `where` is the start node's place.
void FollowPath(PathWalk& walk, const XmlNode& start, WideView path) {
  XmlNodePtr node = start.Clone();
  std::string where = U8(node->Name());
  WideText rest(path);
  for (;;) {
    const WideText first = PathFirstPart(rest);
    if (node->Name() == first) {
      walk.steps.push_back(Named(first) + " is the name of " + where + " itself: consumed");
      rest = PathRest(rest);
    }
    if (!HasSeparator(rest)) break;
    const WideText child_name = PathFirstPart(rest);
    XmlNodePtr child = FindDirectChild(*node, child_name);
    if (!child) {
      walk.failure = where + " has no direct child " + Named(child_name);
      const Located deeper = FindDeep(*node, where, child_name);
      if (deeper.node && deeper.where != where) {
        walk.failure +=
            " (" + deeper.where + " lies deeper: a read does not take it, a write reuses it)";
      }
      walk.steps.push_back(walk.failure + ": the search ends");
      return;
    }
    (where += "/") += U8(child_name);
    walk.steps.push_back(Named(child_name) + " names the direct child " + where);
    node = std::move(child);
    rest = PathRest(rest);
  }
  if (rest.empty()) {
    walk.failure = "the path's last component is empty";
    walk.steps.push_back(walk.failure + ": no node has an empty name");
    return;
  }
  Located found = FindDeep(*node, where, rest);
  if (!found.node) {
    walk.failure = "no node " + Named(rest) + " anywhere below " + where;
    walk.steps.push_back(Named(rest) + ", the last component, searched anywhere below " + where +
                         ": not found");
    return;
  }
  walk.steps.push_back(Named(rest) + ", the last component, searched anywhere below " + where +
                       " (depth-first, document order): found " + found.where);
  walk.node = std::move(found.node);
}

}  // namespace

PathWalk WalkForRead(const XmlNode& root, WideView path) {
  PathWalk walk;
  walk.steps.push_back("path " + Named(path) + ", from the document element " + U8(root.Name()));
  FollowPath(walk, root, path);
  if (!walk.node) return walk;
  try {
    const WideText text = ReadElementText(*walk.node);
    walk.steps.push_back("its text: " + Named(text));
  } catch (const XmlDomError&) {
    walk.failure = "the node holds " + WhatItHolds(*walk.node) + ", not a single text";
    walk.steps.push_back(walk.failure + ": a read gives Empty");
  }
  return walk;
}

PathWalk WalkForWrite(XmlNode& root, WideView path, WideView value) {
  PathWalk walk;
  walk.steps.push_back("path " + Named(path) + ", from the document element " + U8(root.Name()));
  if (!value.empty()) {
    if (std::string why = UnusableValue(value); !why.empty()) {
      walk.failure = std::move(why);
      walk.steps.push_back(walk.failure + ": nothing is written");
      return walk;
    }
  }
  PathWalk read;
  FollowPath(read, root, path);
  for (std::string& step : read.steps) walk.steps.push_back("find: " + step);
  XmlNodePtr node;
  if (read.node) {
    node = std::move(read.node);
    walk.steps.push_back("the node exists");
  } else {
    walk.steps.push_back("not found, so the path is made, each component searched anywhere below");
    node = root.Clone();
    std::string where = U8(root.Name());
    WideText remaining(path);
    const auto step_to = [&](WideView name) {
      Located found = FindDeep(*node, where, name);
      if (found.node) {
        walk.steps.push_back(Named(name) + ": found " + found.where + ", reused");
        node = std::move(found.node);
        where = found.where;
        return true;
      }
      if (std::string why = UnusableName(name); !why.empty()) {
        walk.failure = std::move(why);
        walk.steps.push_back(walk.failure + ": nothing is written");
        return false;
      }
      try {
        node = node->AddChild(name);
      } catch (const XmlDomError& error) {
        walk.failure = "cannot add " + Named(name) + " to " + where + ": " + error.what();
        walk.steps.push_back(walk.failure);
        return false;
      }
      walk.steps.push_back(Named(name) + ": not below " + where + ", created as its last child");
      (where += "/") += U8(name);
      return true;
    };
    for (WideText first = PathFirstPart(remaining); !first.empty();
         first = PathFirstPart(remaining)) {
      if (!step_to(first)) return walk;
      remaining = PathRest(remaining);
    }
    if (!step_to(PathRest(remaining))) return walk;
  }
  if (value.empty()) {
    walk.steps.push_back("the value is empty: the text is left as it is");
  } else {
    try {
      const WideText before = ReadElementText(*node);
      WriteElementText(*node, value);
      walk.steps.push_back("its text " + Named(before) + " becomes " + Named(value));
    } catch (const XmlDomError&) {
      walk.failure = "the node holds " + WhatItHolds(*node) + ", not a single text";
      walk.steps.push_back(walk.failure + ": nothing is written");
      return walk;
    }
  }
  walk.node = std::move(node);
  return walk;
}

}  // namespace tovrel
