#include "platform/win32/MsxmlDom.h"

#include <windows.h>

#include <msxml2.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "platform/XmlContent.h"
#include "platform/XmlFileLayout.h"
#include "platform/XmlIndentation.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/ComText.h"
#include "platform/win32/UniqueFile.h"

namespace tovrel::win32 {
namespace {

// Defined here because MinGW's import libraries do not carry the versioned class identifiers.
constexpr GUID kDomDocument40 = {
    0x88d969c0, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr GUID kDomDocument30 = {
    0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr GUID kDomDocument26 = {
    0xf5078f1b, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr GUID kDomDocument = {
    0x2933bf90, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  std::array<char, 128> message{};
  std::snprintf(message.data(), message.size(), "%s failed (HRESULT 0x%08lx)", what,
                static_cast<unsigned long>(hr));
  throw XmlDomError(message.data());
}

void Check(HRESULT hr, const char* what) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) Fail(what, hr);
}

class GlobalLock {
 public:
  explicit GlobalLock(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;
  ~GlobalLock() {
    if (data_) ::GlobalUnlock(memory_);
  }
  [[nodiscard]] const char* data() const { return static_cast<const char*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

DOMNodeType TypeOf(const ComPtr<IXMLDOMNode>& node) {
  DOMNodeType type = NODE_INVALID;
  Check(node->get_nodeType(&type), "nodeType");
  return type;
}

WideText TextOf(const ComPtr<IXMLDOMNode>& node) {
  UniqueVariant value;
  Check(node->get_nodeValue(value.get()), "nodeValue");
  return (*value).vt == VT_BSTR ? FromWide((*value).bstrVal, SysStringLen((*value).bstrVal))
                                : WideText();
}

// Whitespace-only text is kept for the file's layout but is no node to the logic.
bool IsBlankTextNode(const ComPtr<IXMLDOMNode>& node) {
  return node && TypeOf(node) == NODE_TEXT && IsBlankText(TextOf(node));
}

ComPtr<IXMLDOMNode> Next(const ComPtr<IXMLDOMNode>& node) {
  ComPtr<IXMLDOMNode> next;
  Check(node->get_nextSibling(next.put()), "nextSibling");
  return next;
}

ComPtr<IXMLDOMNode> Previous(const ComPtr<IXMLDOMNode>& node) {
  ComPtr<IXMLDOMNode> previous;
  Check(node->get_previousSibling(previous.put()), "previousSibling");
  return previous;
}

ComPtr<IXMLDOMNode> SkipBlankText(ComPtr<IXMLDOMNode> node) {
  while (IsBlankTextNode(node)) node = Next(node);
  return node;
}

// The whitespace-only text right before the node: its indentation.
std::optional<WideText> IndentBefore(const ComPtr<IXMLDOMNode>& node) {
  if (!node) return std::nullopt;
  const ComPtr<IXMLDOMNode> previous = Previous(node);
  if (!IsBlankTextNode(previous)) return std::nullopt;
  return TextOf(previous);
}

// Reads up to `size` bytes at the offset; what could be read.
std::string ReadAt(HANDLE file, LONGLONG offset, DWORD size) {
  std::string bytes(size, '\0');
  LARGE_INTEGER position{};
  position.QuadPart = offset;
  DWORD read = 0;
  if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN) ||
      !ReadFile(file, bytes.data(), size, &read, nullptr)) {
    read = 0;
  }
  bytes.resize(read);
  return bytes;
}

XmlFileLayout ReadLayout(WideView file_name) {
  const UniqueFile file(CreateFileW(AsWide(WideText(file_name)), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return {};
  const LONGLONG tail = std::max<LONGLONG>(0, size.QuadPart - LONGLONG{kXmlLayoutTailBytes});
  return ReadXmlFileLayout(ReadAt(file.get(), 0, kXmlLayoutHeadBytes),
                           ReadAt(file.get(), tail, kXmlLayoutTailBytes));
}

class MsxmlNode final : public XmlNode {
 public:
  explicit MsxmlNode(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

  [[nodiscard]] XmlNodePtr Clone() const override { return std::make_unique<MsxmlNode>(node_); }

  [[nodiscard]] WideText Name() const override {
    UniqueBstr name;
    Check(node_->get_nodeName(name.put()), "nodeName");
    return FromBstr(name);
  }

  [[nodiscard]] XmlNodeKind Kind() const override {
    switch (Type()) {
      case NODE_ELEMENT:
        return XmlNodeKind::kElement;
      case NODE_TEXT:
        return XmlNodeKind::kText;
      case NODE_CDATA_SECTION:
        return XmlNodeKind::kCData;
      case NODE_COMMENT:
        return XmlNodeKind::kComment;
      default:
        return XmlNodeKind::kOther;
    }
  }

  [[nodiscard]] XmlNodePtr FirstChild() const override {
    if (Type() == NODE_ENTITY_REFERENCE) return nullptr;
    ComPtr<IXMLDOMNode> child;
    Check(node_->get_firstChild(child.put()), "firstChild");
    return Wrap(SkipBlankText(std::move(child)));
  }

  [[nodiscard]] XmlNodePtr NextSibling() const override { return Wrap(SkipBlankText(Next(node_))); }

  [[nodiscard]] WideText Value() const override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData &&
        kind != XmlNodeKind::kComment) {
      return {};
    }
    return TextOf(node_);
  }

  void SetValue(WideView value) override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData) {
      throw XmlDomError("not a text node");
    }
    CheckTextValue(value, kind == XmlNodeKind::kCData);
    UniqueVariant variant;
    variant.SetText(value);
    Check(node_->put_nodeValue(*variant), "put nodeValue");
  }

  XmlNodePtr AppendEmptyText() override {
    if (Type() != NODE_ELEMENT) throw XmlDomError("only elements hold text");
    ComPtr<IXMLDOMNode> text = NewText(u"");
    // The text replaces the element's whitespace.
    for (ComPtr<IXMLDOMNode> child = LastChild(); IsBlankTextNode(child); child = LastChild()) {
      RemoveFromParent(child);
    }
    InsertBefore(text, nullptr);
    return Wrap(std::move(text));
  }

  XmlNodePtr AddChild(WideView name) override {
    if (Type() != NODE_ELEMENT) throw XmlDomError("only elements hold elements");
    // Wine's MSXML takes names Windows refuses, such as "1bad"; both refuse them here.
    CheckElementName(name);
    if (ElementDepth() >= kMaxXmlDepth) throw XmlDomError("elements nested too deep");
    UniqueBstr prefix;
    UniqueBstr namespace_uri;
    Check(node_->get_prefix(prefix.put()), "prefix");
    Check(node_->get_namespaceURI(namespace_uri.put()), "namespaceURI");
    WideText qualified(name);
    if (prefix && SysStringLen(prefix.get()) > 0) qualified = FromBstr(prefix) + u":" + qualified;
    UniqueVariant type;
    (*type.get()).vt = VT_I4;
    (*type.get()).lVal = NODE_ELEMENT;
    ComPtr<IXMLDOMNode> element;
    Check(Document()->createNode(*type, MakeBstr(qualified).get(),
                                 namespace_uri ? namespace_uri.get() : MakeBstr(u"").get(),
                                 element.put()),
          "createNode");
    if (!element) throw XmlDomError("no element created");
    const NewElementWhitespace whitespace = WhitespaceForNewElement(Surroundings());
    const ComPtr<IXMLDOMNode> closing = LastChild();
    InsertBefore(element, IsBlankTextNode(closing) ? closing.get() : nullptr);
    if (whitespace.before) InsertBefore(NewText(*whitespace.before), element.get());
    if (whitespace.after) InsertBefore(NewText(*whitespace.after), nullptr);
    return std::make_unique<MsxmlNode>(std::move(element));
  }

  void SetAttribute(WideView name, WideView value) override {
    if (!IsXmlName(name)) throw XmlDomError("invalid attribute name");
    CheckAttributeValue(value);
    const ComPtr<IXMLDOMElement> element = node_.As<IXMLDOMElement>(IID_IXMLDOMElement);
    if (!element) throw XmlDomError("attributes belong to elements");
    UniqueVariant variant;
    variant.SetText(value);
    Check(element->setAttribute(MakeBstr(name).get(), *variant), "setAttribute");
  }

  [[nodiscard]] std::vector<std::pair<WideText, WideText>> Attributes() const override {
    std::vector<std::pair<WideText, WideText>> attributes;
    ComPtr<IXMLDOMNamedNodeMap> map;
    if (Kind() != XmlNodeKind::kElement || node_->get_attributes(map.put()) != S_OK || !map) {
      return attributes;
    }
    long length = 0;
    Check(map->get_length(&length), "attributes.length");
    for (long i = 0; i < length; ++i) {
      ComPtr<IXMLDOMNode> attribute;
      Check(map->get_item(i, attribute.put()), "attributes.item");
      UniqueBstr name;
      UniqueBstr value;
      Check(attribute->get_nodeName(name.put()), "attribute name");
      Check(attribute->get_text(value.put()), "attribute value");
      attributes.emplace_back(FromBstr(name), FromBstr(value));
    }
    // Namespace declarations first, as libxml2 lists them.
    std::ranges::stable_partition(attributes, [](const auto& attribute) {
      return attribute.first == u"xmlns" || attribute.first.starts_with(u"xmlns:");
    });
    return attributes;
  }

  void Remove() override {
    // The node's indentation goes with it, so that no blank line is left.
    const ComPtr<IXMLDOMNode> indent = Previous(node_);
    if (IsBlankTextNode(indent)) RemoveFromParent(indent);
    RemoveFromParent(node_);
  }

 private:
  static XmlNodePtr Wrap(ComPtr<IXMLDOMNode> node) {
    return node ? std::make_unique<MsxmlNode>(std::move(node)) : nullptr;
  }

  [[nodiscard]] DOMNodeType Type() const {
    DOMNodeType type = NODE_INVALID;
    Check(node_->get_nodeType(&type), "nodeType");
    return type;
  }

  // The elements from the document element down to this one.
  [[nodiscard]] std::size_t ElementDepth() const {
    std::size_t depth = 0;
    for (ComPtr<IXMLDOMNode> node = node_; node;) {
      DOMNodeType type = NODE_INVALID;
      Check(node->get_nodeType(&type), "nodeType");
      if (type == NODE_ELEMENT) ++depth;
      ComPtr<IXMLDOMNode> parent;
      Check(node->get_parentNode(parent.put()), "parentNode");
      node = std::move(parent);
    }
    return depth;
  }

  [[nodiscard]] ComPtr<IXMLDOMDocument> Document() const {
    ComPtr<IXMLDOMDocument> document;
    Check(node_->get_ownerDocument(document.put()), "ownerDocument");
    if (!document) throw XmlDomError("node has no document");
    return document;
  }

  [[nodiscard]] ComPtr<IXMLDOMNode> LastChild() const {
    ComPtr<IXMLDOMNode> last;
    Check(node_->get_lastChild(last.put()), "lastChild");
    return last;
  }

  [[nodiscard]] ComPtr<IXMLDOMNode> NewText(WideView value) const {
    ComPtr<IXMLDOMText> text;
    Check(Document()->createTextNode(MakeBstr(value).get(), text.put()), "createTextNode");
    if (!text) throw XmlDomError("no text node created");
    ComPtr<IXMLDOMNode> node = text.As<IXMLDOMNode>(IID_IXMLDOMNode);
    if (!node) throw XmlDomError("no text node created");
    return node;
  }

  // Inserts the child before `next`, or last when `next` is null.
  void InsertBefore(const ComPtr<IXMLDOMNode>& child, IXMLDOMNode* next) {
    UniqueVariant reference;
    if (next) reference.SetUnknown(next);
    ComPtr<IXMLDOMNode> inserted;
    Check(node_->insertBefore(child.get(), *reference, inserted.put()), "insertBefore");
  }

  static void RemoveFromParent(const ComPtr<IXMLDOMNode>& node) {
    ComPtr<IXMLDOMNode> parent;
    Check(node->get_parentNode(parent.put()), "parentNode");
    if (!parent) throw XmlDomError("node has no parent");
    ComPtr<IXMLDOMNode> removed;
    Check(parent->removeChild(node.get(), removed.put()), "removeChild");
  }

  [[nodiscard]] ElementSurroundings Surroundings() const {
    ElementSurroundings surroundings;
    ComPtr<IXMLDOMNode> last = LastChild();
    if (IsBlankTextNode(last)) surroundings.closing_indent = TextOf(last);
    while (IsBlankTextNode(last)) last = Previous(last);
    surroundings.has_children = static_cast<bool>(last);
    surroundings.last_child_indent = IndentBefore(last);
    surroundings.parent_indent = IndentBefore(node_);
    ComPtr<IXMLDOMNode> parent;
    Check(node_->get_parentNode(parent.put()), "parentNode");
    surroundings.grandparent_indent = IndentBefore(parent);
    return surroundings;
  }

  ComPtr<IXMLDOMNode> node_;
};

class MsxmlDocument final : public XmlDocument {
 public:
  explicit MsxmlDocument(ComPtr<IXMLDOMDocument> document) : document_(std::move(document)) {
    Check(document_->put_async(VARIANT_FALSE), "async");
    Check(document_->put_validateOnParse(VARIANT_FALSE), "validateOnParse");
    Check(document_->put_resolveExternals(VARIANT_FALSE), "resolveExternals");
    // Whitespace-only text is kept, for the layout of what is saved.
    Check(document_->put_preserveWhiteSpace(VARIANT_TRUE), "preserveWhiteSpace");
  }

  [[nodiscard]] bool LoadFromFile(WideView file_name) override {
    UniqueVariant source;
    source.SetText(file_name);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document_->load(*source, &loaded);
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (hr != S_OK || loaded != VARIANT_TRUE || DocumentElement() == nullptr) return false;
    layout_ = ReadLayout(file_name);
    return true;
  }

  [[nodiscard]] XmlNodePtr DocumentElement() const override {
    ComPtr<IXMLDOMElement> root;
    Check(document_->get_documentElement(root.put()), "documentElement");
    return root ? std::make_unique<MsxmlNode>(root.As<IXMLDOMNode>(IID_IXMLDOMNode)) : nullptr;
  }

  [[nodiscard]] bool Write(const ByteSink& sink) const override {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) throw std::bad_alloc();
    UniqueVariant target;
    target.SetUnknown(stream.get());
    if (FAILED(document_->save(*target))) return false;
    HGLOBAL memory = nullptr;
    STATSTG status{};
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
      return false;
    }
    const GlobalLock lock(memory);
    if (lock.data() == nullptr) return false;
    XmlLayoutWriter writer(layout_, sink);
    return writer.Put(
               std::string_view(lock.data(), static_cast<std::size_t>(status.cbSize.QuadPart))) &&
           writer.Finish();
  }

 private:
  ComPtr<IXMLDOMDocument> document_;
  XmlFileLayout layout_;
};

}  // namespace

std::unique_ptr<XmlDocument> MsxmlDomFactory::CreateDocument() const {
  HRESULT last = REGDB_E_CLASSNOTREG;
  for (const GUID& class_id : {kDomDocument40, kDomDocument30, kDomDocument26, kDomDocument}) {
    ComPtr<IDispatch> object;
    last = CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                            IID_IDispatch, object.put_void());
    if (SUCCEEDED(last)) {
      ComPtr<IXMLDOMDocument> document = object.As<IXMLDOMDocument>(IID_IXMLDOMDocument);
      if (!document) throw XmlDomError("Microsoft MSXML is not installed");
      return std::make_unique<MsxmlDocument>(std::move(document));
    }
  }
  Fail("CoCreateInstance", last);
}

}  // namespace tovrel::win32
