#include "platform/win32/MsxmlDom.h"

#include <windows.h>

#include <msxml2.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>

#include "platform/XmlName.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/ComText.h"

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
    DOMNodeType type = NODE_INVALID;
    Check(node_->get_nodeType(&type), "nodeType");
    switch (type) {
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

  [[nodiscard]] std::size_t ChildCount() const override {
    long length = 0;
    Check(Children()->get_length(&length), "childNodes.length");
    return static_cast<std::size_t>(length);
  }

  [[nodiscard]] XmlNodePtr Child(std::size_t index) const override {
    ComPtr<IXMLDOMNode> child;
    Check(Children()->get_item(static_cast<long>(index), child.put()), "childNodes.item");
    return child ? std::make_unique<MsxmlNode>(std::move(child)) : nullptr;
  }

  [[nodiscard]] WideText Value() const override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData &&
        kind != XmlNodeKind::kComment) {
      return {};
    }
    UniqueVariant value;
    Check(node_->get_nodeValue(value.get()), "nodeValue");
    return (*value).vt == VT_BSTR ? FromWide((*value).bstrVal, SysStringLen((*value).bstrVal))
                                  : WideText();
  }

  void SetValue(WideView value) override {
    UniqueVariant variant;
    variant.SetText(value);
    Check(node_->put_nodeValue(*variant), "put nodeValue");
  }

  void AppendEmptyText() override {
    ComPtr<IXMLDOMText> text;
    Check(Document()->createTextNode(MakeBstr(u"").get(), text.put()), "createTextNode");
    Append(text.As<IXMLDOMNode>(IID_IXMLDOMNode));
  }

  XmlNodePtr AddChild(WideView name) override {
    // Wine's MSXML takes names Windows refuses, such as "1bad"; both refuse them here.
    if (!IsXmlName(name)) throw XmlDomError("invalid element name");
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
    Append(element);
    return std::make_unique<MsxmlNode>(std::move(element));
  }

  void SetAttribute(WideView name, WideView value) override {
    if (!IsXmlName(name)) throw XmlDomError("invalid attribute name");
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

  void RemoveChild(std::size_t index) override {
    ComPtr<IXMLDOMNode> child;
    Check(Children()->get_item(static_cast<long>(index), child.put()), "childNodes.item");
    if (!child) throw XmlDomError("no child at that index");
    ComPtr<IXMLDOMNode> removed;
    Check(node_->removeChild(child.get(), removed.put()), "removeChild");
  }

  void Remove() override {
    ComPtr<IXMLDOMNode> parent;
    Check(node_->get_parentNode(parent.put()), "parentNode");
    if (!parent) throw XmlDomError("node has no parent");
    ComPtr<IXMLDOMNode> removed;
    Check(parent->removeChild(node_.get(), removed.put()), "removeChild");
  }

 private:
  [[nodiscard]] ComPtr<IXMLDOMNodeList> Children() const {
    ComPtr<IXMLDOMNodeList> children;
    Check(node_->get_childNodes(children.put()), "childNodes");
    return children;
  }

  [[nodiscard]] ComPtr<IXMLDOMDocument> Document() const {
    ComPtr<IXMLDOMDocument> document;
    Check(node_->get_ownerDocument(document.put()), "ownerDocument");
    if (!document) throw XmlDomError("node has no document");
    return document;
  }

  void Append(const ComPtr<IXMLDOMNode>& child) {
    if (!child) throw XmlDomError("no node to append");
    ComPtr<IXMLDOMNode> appended;
    Check(node_->appendChild(child.get(), appended.put()), "appendChild");
  }

  ComPtr<IXMLDOMNode> node_;
};

class MsxmlDocument final : public XmlDocument {
 public:
  explicit MsxmlDocument(ComPtr<IXMLDOMDocument> document) : document_(std::move(document)) {
    Check(document_->put_async(VARIANT_FALSE), "async");
    Check(document_->put_validateOnParse(VARIANT_FALSE), "validateOnParse");
    Check(document_->put_resolveExternals(VARIANT_FALSE), "resolveExternals");
    Check(document_->put_preserveWhiteSpace(VARIANT_FALSE), "preserveWhiteSpace");
  }

  [[nodiscard]] bool LoadFromFile(WideView file_name) override {
    UniqueVariant source;
    source.SetText(file_name);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document_->load(*source, &loaded);
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    return hr == S_OK && loaded == VARIANT_TRUE && DocumentElement() != nullptr;
  }

  [[nodiscard]] XmlNodePtr DocumentElement() const override {
    ComPtr<IXMLDOMElement> root;
    Check(document_->get_documentElement(root.put()), "documentElement");
    return root ? std::make_unique<MsxmlNode>(root.As<IXMLDOMNode>(IID_IXMLDOMNode)) : nullptr;
  }

  [[nodiscard]] std::optional<std::string> Serialize() const override {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) throw std::bad_alloc();
    UniqueVariant target;
    target.SetUnknown(stream.get());
    if (FAILED(document_->save(*target))) return std::nullopt;
    HGLOBAL memory = nullptr;
    STATSTG status{};
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
      return std::nullopt;
    }
    const GlobalLock lock(memory);
    if (lock.data() == nullptr) return std::nullopt;
    return std::string(lock.data(), static_cast<std::size_t>(status.cbSize.QuadPart));
  }

 private:
  ComPtr<IXMLDOMDocument> document_;
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
