#include "platform/portable/Libxml2Dom.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <new>
#include <utility>

#include "platform/Utf8.h"
#include "platform/XmlContent.h"
#include "platform/portable/NativePath.h"

namespace tovrel::portable {
namespace {

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

struct XmlCharDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;

const xmlChar* Xml(const std::string& utf8) {
  return reinterpret_cast<const xmlChar*>(utf8.c_str());
}

WideText Wide(const xmlChar* text) {
  return text ? FromUtf8(reinterpret_cast<const char*>(text)) : WideText();
}

// Whether the UTF-8 text is the UTF-16 one; compared in place while both are ASCII.
bool SameText(const xmlChar* utf8, WideView wide) {
  if (utf8 == nullptr) return wide.empty();
  std::size_t i = 0;
  for (; utf8[i] != 0 && utf8[i] < 0x80; ++i) {
    if (i == wide.size() || wide[i] != utf8[i]) return false;
  }
  return utf8[i] == 0 ? i == wide.size() : Wide(utf8) == wide;
}

bool IsWhitespaceOnly(const xmlChar* text) {
  for (; text && *text; ++text) {
    if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') return false;
  }
  return true;
}

// XML_PARSE_NOBLANKS keeps whitespace-only text in an element without other children; MSXML
// drops all of it, so the rest goes here.
void DropWhitespaceText(xmlNode* node) {
  for (xmlNode* child = node->children; child != nullptr;) {
    xmlNode* next = child->next;
    if (child->type == XML_TEXT_NODE && IsWhitespaceOnly(child->content)) {
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    } else if (child->type == XML_ELEMENT_NODE) {
      DropWhitespaceText(child);
    }
    child = next;
  }
}

// The elements from the document element down to this one.
std::size_t ElementDepth(const xmlNode* node) {
  std::size_t depth = 0;
  for (; node != nullptr; node = node->parent) {
    if (node->type == XML_ELEMENT_NODE) ++depth;
  }
  return depth;
}

XmlNodePtr Wrap(xmlNode* node);

void IgnoreMessage(void*, const char*, ...) {}
void IgnoreError(void*, xmlError*) {}

class Libxml2Node final : public XmlNode {
 public:
  explicit Libxml2Node(xmlNode* node) : node_(node) {}

  [[nodiscard]] XmlNodePtr Clone() const override { return std::make_unique<Libxml2Node>(node_); }

  [[nodiscard]] WideText Name() const override {
    if (const WideView fixed = FixedName(); !fixed.empty()) return WideText(fixed);
    WideText name = Wide(node_->name);
    if (node_->type == XML_ELEMENT_NODE && node_->ns != nullptr && node_->ns->prefix != nullptr) {
      name = Wide(node_->ns->prefix) + u":" + name;
    }
    return name;
  }

  [[nodiscard]] bool HasName(WideView name) const override {
    if (const WideView fixed = FixedName(); !fixed.empty()) return name == fixed;
    if (node_->type == XML_ELEMENT_NODE && node_->ns != nullptr && node_->ns->prefix != nullptr) {
      return Name() == name;
    }
    return SameText(node_->name, name);
  }

  [[nodiscard]] XmlNodeKind Kind() const override {
    switch (node_->type) {
      case XML_ELEMENT_NODE:
        return XmlNodeKind::kElement;
      case XML_TEXT_NODE:
        return XmlNodeKind::kText;
      case XML_CDATA_SECTION_NODE:
        return XmlNodeKind::kCData;
      case XML_COMMENT_NODE:
        return XmlNodeKind::kComment;
      default:
        return XmlNodeKind::kOther;
    }
  }

  [[nodiscard]] XmlNodePtr FirstChild() const override {
    // An entity reference's children are the entity's own nodes, shared by every reference.
    return node_->type == XML_ENTITY_REF_NODE ? nullptr : Wrap(node_->children);
  }

  [[nodiscard]] XmlNodePtr NextSibling() const override { return Wrap(node_->next); }

  [[nodiscard]] WideText Value() const override {
    if (Kind() != XmlNodeKind::kText && Kind() != XmlNodeKind::kCData) return {};
    return Wide(node_->content);
  }

  void SetValue(WideView value) override {
    if (Kind() != XmlNodeKind::kText && Kind() != XmlNodeKind::kCData) {
      throw XmlDomError("not a text node");
    }
    CheckTextValue(value, Kind() == XmlNodeKind::kCData);
    const std::string utf8 = ToUtf8(value);
    xmlNodeSetContentLen(node_, Xml(utf8), static_cast<int>(utf8.size()));
  }

  XmlNodePtr AppendEmptyText() override {
    if (node_->type != XML_ELEMENT_NODE) throw XmlDomError("only elements hold text");
    xmlNode* text = xmlNewDocText(node_->doc, Xml(""));
    if (text == nullptr) throw std::bad_alloc();
    AppendOrFree(text);
    return Wrap(text);
  }

  XmlNodePtr AddChild(WideView name) override {
    if (node_->type != XML_ELEMENT_NODE) throw XmlDomError("only elements hold elements");
    CheckElementName(name);
    if (ElementDepth(node_) >= kMaxXmlDepth) throw XmlDomError("elements nested too deep");
    xmlNode* element = xmlNewDocNode(node_->doc, node_->ns, Xml(ToUtf8(name)), nullptr);
    if (element == nullptr) throw std::bad_alloc();
    AppendOrFree(element);
    return std::make_unique<Libxml2Node>(element);
  }

  void SetAttribute(WideView name, WideView value) override {
    if (node_->type != XML_ELEMENT_NODE || !IsXmlName(name)) {
      throw XmlDomError("invalid attribute name");
    }
    CheckAttributeValue(value);
    if (xmlSetProp(node_, Xml(ToUtf8(name)), Xml(ToUtf8(value))) == nullptr) {
      throw std::bad_alloc();
    }
  }

  [[nodiscard]] std::vector<std::pair<WideText, WideText>> Attributes() const override {
    std::vector<std::pair<WideText, WideText>> attributes;
    if (node_->type != XML_ELEMENT_NODE) return attributes;
    for (xmlAttr* attribute = node_->properties; attribute != nullptr;
         attribute = attribute->next) {
      const XmlCharPtr value(xmlNodeListGetString(node_->doc, attribute->children, 1));
      WideText name = Wide(attribute->name);
      if (attribute->ns != nullptr && attribute->ns->prefix != nullptr) {
        name = Wide(attribute->ns->prefix) + u":" + name;
      }
      attributes.emplace_back(std::move(name), Wide(value.get()));
    }
    return attributes;
  }

  void Remove() override {
    xmlUnlinkNode(node_);
    xmlFreeNode(std::exchange(node_, nullptr));
  }

 private:
  // The DOM's name of a node kind that has no name of its own; empty for the others.
  [[nodiscard]] WideView FixedName() const {
    switch (node_->type) {
      case XML_TEXT_NODE:
        return u"#text";
      case XML_CDATA_SECTION_NODE:
        return u"#cdata-section";
      case XML_COMMENT_NODE:
        return u"#comment";
      default:
        return {};
    }
  }

  // xmlAddChild merges a text node into a text last child; neither caller appends one there.
  void AppendOrFree(xmlNode* child) {
    if (xmlAddChild(node_, child) == nullptr) {
      xmlFreeNode(child);
      throw XmlDomError("cannot append a child here");
    }
  }

  xmlNode* node_;
};

XmlNodePtr Wrap(xmlNode* node) {
  return node ? std::make_unique<Libxml2Node>(node) : nullptr;
}

class Libxml2Document final : public XmlDocument {
 public:
  [[nodiscard]] bool LoadFromFile(WideView file_name) override {
    constexpr int kOptions =
        XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    doc_.reset(xmlReadFile(NativePath(file_name).c_str(), nullptr, kOptions));
    if (!doc_ || xmlDocGetRootElement(doc_.get()) == nullptr) {
      doc_.reset();
      return false;
    }
    DropWhitespaceText(xmlDocGetRootElement(doc_.get()));
    return true;
  }

  [[nodiscard]] XmlNodePtr DocumentElement() const override {
    xmlNode* root = doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr;
    return root ? std::make_unique<Libxml2Node>(root) : nullptr;
  }

  [[nodiscard]] std::optional<std::string> Serialize() const override {
    if (!doc_) return std::nullopt;
    const char* encoding = doc_->encoding ? reinterpret_cast<const char*>(doc_->encoding) : "UTF-8";
    xmlChar* raw = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc_.get(), &raw, &size, encoding);
    const XmlCharPtr bytes(raw);
    if (!bytes || size < 0) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(bytes.get()), static_cast<std::size_t>(size));
  }

 private:
  DocPtr doc_;
};

}  // namespace

std::unique_ptr<XmlDocument> Libxml2DomFactory::CreateDocument() const {
  // A library must not write to its host's standard error; libxml2's handlers are per thread.
  xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  xmlSetStructuredErrorFunc(nullptr, &IgnoreError);
  return std::make_unique<Libxml2Document>();
}

}  // namespace tovrel::portable
