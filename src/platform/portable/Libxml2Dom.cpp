#include "platform/portable/Libxml2Dom.h"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "platform/Utf8.h"
#include "platform/XmlContent.h"
#include "platform/XmlFileLayout.h"
#include "platform/XmlIndentation.h"
#include "platform/portable/NativePath.h"
#include "platform/portable/UniqueFd.h"

namespace tovrel::portable {
namespace {

// Whitespace-only text is kept, for the layout of what is saved.
constexpr int kLoadOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

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

bool IsBlankTextNode(const xmlNode* node) {
  if (node == nullptr || node->type != XML_TEXT_NODE) return false;
  for (const xmlChar* text = node->content; text && *text; ++text) {
    if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') return false;
  }
  return true;
}

// Whitespace-only text is kept for the file's layout but is no node to the logic.
xmlNode* SkipBlankText(xmlNode* node) {
  while (IsBlankTextNode(node)) node = node->next;
  return node;
}

xmlNode* LastNonBlankChild(const xmlNode* parent) {
  xmlNode* child = parent->last;
  while (IsBlankTextNode(child)) child = child->prev;
  return child;
}

// The whitespace-only text right before the node: its indentation.
std::optional<WideText> IndentBefore(const xmlNode* node) {
  if (node == nullptr || !IsBlankTextNode(node->prev)) return std::nullopt;
  return Wide(node->prev->content);
}

void FreeUnlinked(xmlNode* node) {
  xmlUnlinkNode(node);
  xmlFreeNode(node);
}

// Links a new node before `next`, or last below `parent` when `next` is null. Unlike
// xmlAddPrevSibling and xmlAddChild this never merges a text node into a neighbour.
void Link(xmlNode* parent, xmlNode* next, xmlNode* node) {
  node->parent = parent;
  node->next = next;
  node->prev = next ? next->prev : parent->last;
  if (node->prev) {
    node->prev->next = node;
  } else {
    parent->children = node;
  }
  if (next) {
    next->prev = node;
  } else {
    parent->last = node;
  }
}

xmlNode* NewText(xmlDoc* doc, const std::optional<WideText>& text) {
  xmlNode* node = xmlNewDocText(doc, Xml(ToUtf8(text.value_or(WideText()))));
  if (node == nullptr) throw std::bad_alloc();
  return node;
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
    if (node_->type == XML_ENTITY_REF_NODE) return nullptr;
    return Wrap(SkipBlankText(node_->children));
  }

  [[nodiscard]] XmlNodePtr NextSibling() const override { return Wrap(SkipBlankText(node_->next)); }

  [[nodiscard]] WideText Value() const override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData &&
        kind != XmlNodeKind::kComment) {
      return {};
    }
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
    xmlNode* text = NewText(node_->doc, std::nullopt);
    // The text replaces the element's whitespace.
    while (IsBlankTextNode(node_->children)) FreeUnlinked(node_->children);
    Link(node_, nullptr, text);
    return Wrap(text);
  }

  XmlNodePtr AddChild(WideView name) override {
    if (node_->type != XML_ELEMENT_NODE) throw XmlDomError("only elements hold elements");
    CheckElementName(name);
    if (ElementDepth(node_) >= kMaxXmlDepth) throw XmlDomError("elements nested too deep");
    const NewElementWhitespace whitespace = WhitespaceForNewElement(Surroundings());
    xmlNode* element = xmlNewDocNode(node_->doc, node_->ns, Xml(ToUtf8(name)), nullptr);
    if (element == nullptr) throw std::bad_alloc();
    xmlNode* closing = IsBlankTextNode(node_->last) ? node_->last : nullptr;
    Link(node_, closing, element);
    if (whitespace.before) Link(node_, element, NewText(node_->doc, whitespace.before));
    if (whitespace.after) Link(node_, nullptr, NewText(node_->doc, whitespace.after));
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
    // libxml2 keeps namespace declarations apart from the attributes.
    for (const xmlNs* declaration = node_->nsDef; declaration != nullptr;
         declaration = declaration->next) {
      WideText name = u"xmlns";
      if (declaration->prefix != nullptr) {
        name += u':';
        name += Wide(declaration->prefix);
      }
      attributes.emplace_back(std::move(name), Wide(declaration->href));
    }
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
    // The node's indentation goes with it, so that no blank line is left.
    if (IsBlankTextNode(node_->prev)) FreeUnlinked(node_->prev);
    FreeUnlinked(std::exchange(node_, nullptr));
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

  [[nodiscard]] ElementSurroundings Surroundings() const {
    ElementSurroundings surroundings;
    const xmlNode* last = LastNonBlankChild(node_);
    surroundings.has_children = last != nullptr;
    surroundings.last_child_indent = IndentBefore(last);
    surroundings.parent_indent = IndentBefore(node_);
    surroundings.grandparent_indent = IndentBefore(node_->parent);
    if (IsBlankTextNode(node_->last)) surroundings.closing_indent = Wide(node_->last->content);
    return surroundings;
  }

  xmlNode* node_;
};

// Reads up to `size` bytes at the offset; what could be read.
std::string ReadAt(int fd, off_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  const ssize_t read = ::pread(fd, bytes.data(), size, offset);
  bytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return bytes;
}

XmlFileLayout ReadLayout(const std::string& path) {
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) return {};
  const off_t tail = std::max<off_t>(0, info.st_size - static_cast<off_t>(kXmlLayoutTailBytes));
  return ReadXmlFileLayout(ReadAt(fd.get(), 0, kXmlLayoutHeadBytes),
                           ReadAt(fd.get(), tail, kXmlLayoutTailBytes));
}

bool IsUnicodeEncoding(const char* encoding) {
  return xmlStrncasecmp(reinterpret_cast<const xmlChar*>(encoding),
                        reinterpret_cast<const xmlChar*>("UTF-"), 4) == 0;
}

// libxml2's output callback: hands a piece to the layout writer; -1 stops the save.
int PutPiece(void* context, const char* bytes, int size) {
  auto* writer = static_cast<XmlLayoutWriter*>(context);
  return writer->Put(std::string_view(bytes, static_cast<std::size_t>(size))) ? size : -1;
}

bool Parses(const xmlChar* bytes, int size) {
  const DocPtr doc(
      xmlReadMemory(reinterpret_cast<const char*>(bytes), size, nullptr, nullptr, kLoadOptions));
  return doc != nullptr;
}

XmlNodePtr Wrap(xmlNode* node) {
  return node ? std::make_unique<Libxml2Node>(node) : nullptr;
}

class Libxml2Document final : public XmlDocument {
 public:
  [[nodiscard]] bool LoadFromFile(WideView file_name) override {
    const std::string path = NativePath(file_name);
    doc_.reset(xmlReadFile(path.c_str(), nullptr, kLoadOptions));
    if (!doc_ || xmlDocGetRootElement(doc_.get()) == nullptr) {
      doc_.reset();
      return false;
    }
    layout_ = ReadLayout(path);
    return true;
  }

  [[nodiscard]] XmlNodePtr DocumentElement() const override {
    xmlNode* root = doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr;
    return root ? std::make_unique<Libxml2Node>(root) : nullptr;
  }

  [[nodiscard]] bool Write(const ByteSink& sink) const override {
    if (!doc_) return false;
    const char* encoding = doc_->encoding ? reinterpret_cast<const char*>(doc_->encoding) : "UTF-8";
    XmlLayoutWriter writer(layout_, sink);
    if (IsUnicodeEncoding(encoding)) {
      // Straight from the tree into the sink, in libxml2's own pieces.
      xmlSaveCtxtPtr save = xmlSaveToIO(&PutPiece, nullptr, &writer, encoding, 0);
      if (save == nullptr) return false;
      const bool saved = xmlSaveDoc(save, doc_.get()) >= 0;
      return xmlSaveClose(save) >= 0 && saved && writer.Finish();
    }
    // A name the declared legacy encoding cannot hold is written as bytes no parser takes (a
    // text would become a character reference, a name cannot): such a document is read back
    // before it is written.
    xmlChar* raw = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc_.get(), &raw, &size, encoding);
    const XmlCharPtr bytes(raw);
    if (!bytes || size < 0 || !Parses(bytes.get(), size)) return false;
    return writer.Put(std::string_view(reinterpret_cast<const char*>(bytes.get()),
                                       static_cast<std::size_t>(size))) &&
           writer.Finish();
  }

 private:
  DocPtr doc_;
  XmlFileLayout layout_;
};

}  // namespace

std::unique_ptr<XmlDocument> Libxml2DomFactory::CreateDocument() const {
  // A library must not write to its host's standard error; libxml2's handlers are per thread.
  xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  xmlSetStructuredErrorFunc(nullptr, &IgnoreError);
  return std::make_unique<Libxml2Document>();
}

}  // namespace tovrel::portable
