#include "platform/win32/MsxmlDom.h"

#include <windows.h>

#include <msxml2.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "platform/win32/ComPtr.h"
#include "platform/win32/ComText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/xml/XmlIndentation.h"
#include "platform/xml/XmlSplicedDocument.h"

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

// Whitespace-only text is no node to the logic.
bool IsBlankTextNode(const ComPtr<IXMLDOMNode>& node) {
  return node && TypeOf(node) == NODE_TEXT && IsBlankText(TextOf(node));
}

ComPtr<IXMLDOMNode> Next(const ComPtr<IXMLDOMNode>& node) {
  ComPtr<IXMLDOMNode> next;
  Check(node->get_nextSibling(next.put()), "nextSibling");
  return next;
}

ComPtr<IXMLDOMNode> SkipBlankText(ComPtr<IXMLDOMNode> node) {
  while (IsBlankTextNode(node)) node = Next(node);
  return node;
}

class MsxmlNode final : public XmlSourceNode {
 public:
  explicit MsxmlNode(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

  [[nodiscard]] XmlSourceNodePtr Clone() const override {
    return std::make_unique<MsxmlNode>(node_);
  }

  [[nodiscard]] WideText Name() const override {
    UniqueBstr name;
    Check(node_->get_nodeName(name.put()), "nodeName");
    return FromBstr(name);
  }

  [[nodiscard]] XmlNodeKind Kind() const override {
    switch (TypeOf(node_)) {
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

  [[nodiscard]] XmlSourceNodePtr FirstChild() const override {
    if (TypeOf(node_) == NODE_ENTITY_REFERENCE) return nullptr;
    ComPtr<IXMLDOMNode> child;
    Check(node_->get_firstChild(child.put()), "firstChild");
    return Wrap(SkipBlankText(std::move(child)));
  }

  [[nodiscard]] XmlSourceNodePtr NextSibling() const override {
    return Wrap(SkipBlankText(Next(node_)));
  }

  [[nodiscard]] WideText Value() const override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData &&
        kind != XmlNodeKind::kComment) {
      return {};
    }
    return TextOf(node_);
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
      // Wine's MSXML hands out no node for a default namespace declaration (xmlns="…") and
      // answers E_OUTOFMEMORY; what it cannot hand out is left out, the same in every parse.
      const HRESULT item = map->get_item(i, attribute.put());
      if (item == E_OUTOFMEMORY && !attribute) continue;
      Check(item, "attributes.item");
      UniqueBstr name;
      Check(attribute->get_nodeName(name.put()), "attribute name");
      UniqueBstr value;
      Check(attribute->get_text(value.put()), "attribute value");
      attributes.emplace_back(FromBstr(name), FromBstr(value));
    }
    // Namespace declarations first, as libxml2 lists them.
    std::ranges::stable_partition(attributes, [](const auto& attribute) {
      return attribute.first == u"xmlns" || attribute.first.starts_with(u"xmlns:");
    });
    return attributes;
  }

 private:
  static XmlSourceNodePtr Wrap(ComPtr<IXMLDOMNode> node) {
    return node ? std::make_unique<MsxmlNode>(std::move(node)) : nullptr;
  }

  ComPtr<IXMLDOMNode> node_;
};

class MsxmlTree final : public XmlSourceTree {
 public:
  explicit MsxmlTree(ComPtr<IXMLDOMDocument> document) : document_(std::move(document)) {}

  [[nodiscard]] XmlSourceNodePtr DocumentElement() const override {
    ComPtr<IXMLDOMElement> root;
    Check(document_->get_documentElement(root.put()), "documentElement");
    if (!root) return nullptr;
    ComPtr<IXMLDOMNode> node = root.As<IXMLDOMNode>(IID_IXMLDOMNode);
    return node ? std::make_unique<MsxmlNode>(std::move(node)) : nullptr;
  }

 private:
  ComPtr<IXMLDOMDocument> document_;
};

ComPtr<IXMLDOMDocument> CreateDomDocument() {
  HRESULT last = REGDB_E_CLASSNOTREG;
  for (const GUID& class_id : {kDomDocument40, kDomDocument30, kDomDocument26, kDomDocument}) {
    ComPtr<IDispatch> object;
    last = CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                            IID_IDispatch, object.put_void());
    if (SUCCEEDED(last)) {
      ComPtr<IXMLDOMDocument> document = object.As<IXMLDOMDocument>(IID_IXMLDOMDocument);
      if (!document) throw XmlDomError("Microsoft MSXML is not installed");
      Check(document->put_async(VARIANT_FALSE), "async");
      Check(document->put_validateOnParse(VARIANT_FALSE), "validateOnParse");
      Check(document->put_resolveExternals(VARIANT_FALSE), "resolveExternals");
      // Whitespace-only text is kept, to map the tree onto the file's text.
      Check(document->put_preserveWhiteSpace(VARIANT_TRUE), "preserveWhiteSpace");
      return document;
    }
  }
  Fail("CoCreateInstance", last);
}

// Loads the bytes into the document: whether MSXML takes them as a document with an element.
bool LoadBytes(IXMLDOMDocument& document, std::string_view bytes) {
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) throw std::bad_alloc();
  ULONG written = 0;
  if (bytes.size() > ULONG_MAX ||
      FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
      written != bytes.size() || FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) {
    throw std::bad_alloc();
  }
  UniqueVariant source;
  source.SetUnknown(stream.get());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT hr = document.load(*source, &loaded);
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (hr != S_OK || loaded != VARIANT_TRUE) return false;
  ComPtr<IXMLDOMElement> root;
  Check(document.get_documentElement(root.put()), "documentElement");
  return static_cast<bool>(root);
}

// A new document loaded from the bytes; null when MSXML does not take them.
ComPtr<IXMLDOMDocument> LoadDocument(std::string_view bytes) {
  ComPtr<IXMLDOMDocument> document = CreateDomDocument();
  return LoadBytes(*document.get(), bytes) ? document : ComPtr<IXMLDOMDocument>();
}

// MSXML's account of bytes it refused: the line, the column and its reason.
XmlParseError ParseErrorOf(IXMLDOMDocument& document) {
  ComPtr<IXMLDOMParseError> error;
  long line = 0;
  long column = 0;
  UniqueBstr reason;
  if (FAILED(document.get_parseError(error.put())) || !error || FAILED(error->get_line(&line)) ||
      FAILED(error->get_linepos(&column)) || FAILED(error->get_reason(reason.put())) || !reason) {
    return XmlParseError{0, 0, u"MSXML gave no reason"};
  }
  WideText message = FromBstr(reason);
  while (!message.empty() &&
         (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' ')) {
    message.pop_back();
  }
  if (message.empty()) message = u"the file holds no XML element";
  return XmlParseError{static_cast<std::uint32_t>(std::max(line, 0L)),
                       static_cast<std::uint32_t>(std::max(column, 0L)), std::move(message)};
}

class MsxmlParser final : public XmlParser {
 public:
  [[nodiscard]] std::optional<std::string> ReadFile(WideView file_name) const override {
    return ReadWholeFile(file_name);
  }

  [[nodiscard]] std::unique_ptr<XmlSourceTree> Parse(std::string_view bytes) const override {
    ComPtr<IXMLDOMDocument> document = LoadDocument(bytes);
    return document ? std::make_unique<MsxmlTree>(std::move(document)) : nullptr;
  }

  [[nodiscard]] std::optional<XmlParseError> ParseError(std::string_view bytes) const override {
    const ComPtr<IXMLDOMDocument> document = CreateDomDocument();
    if (LoadBytes(*document.get(), bytes)) return std::nullopt;
    return ParseErrorOf(*document.get());
  }

  [[nodiscard]] std::optional<std::string> EncodeInCodePage(WideView text,
                                                            unsigned code_page) const override {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX / 4) return std::nullopt;
    const auto length = static_cast<int>(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    BOOL used_default = FALSE;
    const int size = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                         nullptr, &used_default);
    if (size <= 0 || used_default) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size,
                            nullptr, &used_default) != size ||
        used_default) {
      return std::nullopt;
    }
    return bytes;
  }
};

}  // namespace

const XmlParser& MsxmlXmlParser() {
  static const MsxmlParser parser;
  return parser;
}

std::unique_ptr<XmlDocument> MsxmlDomFactory::CreateDocument() const {
  return MakeSplicedDocument(MsxmlXmlParser());
}

}  // namespace tovrel::win32
