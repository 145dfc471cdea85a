#include "platform/portable/Libxml2Dom.h"

#include <iconv.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <memory>
#include <utility>

#include "platform/portable/PosixFileSystem.h"
#include "platform/xml/XmlEncoding.h"
#include "platform/xml/XmlSplicedDocument.h"
#include "text/Utf16Le.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

// Whitespace-only text is kept, to map the tree onto the file's text.
constexpr int kLoadOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

struct XmlCharDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;

struct ParserDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserPtr = std::unique_ptr<xmlParserCtxt, ParserDeleter>;

// Bytes handed to libxml2 a piece at a time, as it reads a file: it then keeps only a window of
// the input, as it does for files, and a document parses from memory exactly as from its file.
struct ChunkedInput {
  std::string_view rest;

  static int Read(void* context, char* buffer, int size) {
    auto* input = static_cast<ChunkedInput*>(context);
    const std::size_t length = std::min(input->rest.size(), static_cast<std::size_t>(size));
    std::copy_n(input->rest.data(), length, buffer);
    input->rest.remove_prefix(length);
    return static_cast<int>(length);
  }
  static int Close(void*) { return 0; }
};

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

// Whitespace-only text is no node to the logic.
xmlNode* SkipBlankText(xmlNode* node) {
  while (IsBlankTextNode(node)) node = node->next;
  return node;
}

XmlSourceNodePtr Wrap(xmlNode* node);

void IgnoreMessage(void*, const char*, ...) {}
void IgnoreError(void*, xmlError*) {}

class Libxml2Node final : public XmlSourceNode {
 public:
  explicit Libxml2Node(xmlNode* node) : node_(node) {}

  [[nodiscard]] XmlSourceNodePtr Clone() const override {
    return std::make_unique<Libxml2Node>(node_);
  }

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

  [[nodiscard]] XmlNodeKind Kind() const override { return Libxml2NodeKind(*node_); }

  [[nodiscard]] XmlSourceNodePtr FirstChild() const override {
    // An entity reference's children are the entity's own nodes, shared by every reference.
    if (node_->type == XML_ENTITY_REF_NODE) return nullptr;
    return Wrap(SkipBlankText(node_->children));
  }

  [[nodiscard]] XmlSourceNodePtr NextSibling() const override {
    return Wrap(SkipBlankText(node_->next));
  }

  [[nodiscard]] WideText Value() const override {
    const XmlNodeKind kind = Kind();
    if (kind != XmlNodeKind::kText && kind != XmlNodeKind::kCData &&
        kind != XmlNodeKind::kComment) {
      return {};
    }
    return Wide(node_->content);
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

  xmlNode* node_;
};

XmlSourceNodePtr Wrap(xmlNode* node) {
  return node ? std::make_unique<Libxml2Node>(node) : nullptr;
}

class Libxml2Tree final : public XmlSourceTree {
 public:
  explicit Libxml2Tree(DocPtr doc) : doc_(std::move(doc)) {}

  [[nodiscard]] XmlSourceNodePtr DocumentElement() const override {
    return Wrap(xmlDocGetRootElement(doc_.get()));
  }

 private:
  DocPtr doc_;
};

// One iconv conversion, closed when it goes out of scope.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  ~IconvHandle() {
    if (*this) iconv_close(cd_);
  }
  explicit operator bool() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  [[nodiscard]] iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

class Libxml2Parser final : public XmlParser {
 public:
  [[nodiscard]] std::optional<std::string> ReadFile(WideView file_name) const override {
    return ReadWholeFile(file_name);
  }

  [[nodiscard]] std::unique_ptr<XmlSourceTree> Parse(std::string_view bytes) const override {
    ChunkedInput input{bytes};
    DocPtr doc(xmlReadIO(&ChunkedInput::Read, &ChunkedInput::Close, &input, nullptr, nullptr,
                         kLoadOptions));
    if (!doc || xmlDocGetRootElement(doc.get()) == nullptr) return nullptr;
    return std::make_unique<Libxml2Tree>(std::move(doc));
  }

  [[nodiscard]] std::optional<XmlParseError> ParseError(std::string_view bytes) const override {
    const ParserPtr parser(xmlNewParserCtxt());
    if (!parser) return XmlParseError{0, 0, u"libxml2 could not make a parser"};
    ChunkedInput input{bytes};
    const DocPtr doc(xmlCtxtReadIO(parser.get(), &ChunkedInput::Read, &ChunkedInput::Close, &input,
                                   nullptr, nullptr, kLoadOptions));
    if (doc && xmlDocGetRootElement(doc.get()) != nullptr) return std::nullopt;
    const xmlError* error = xmlCtxtGetLastError(parser.get());
    if (error == nullptr || error->message == nullptr) {
      return XmlParseError{0, 0, u"the file holds no XML element"};
    }
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
      message.pop_back();
    }
    return XmlParseError{static_cast<std::uint32_t>(std::max(error->line, 0)),
                         static_cast<std::uint32_t>(std::max(error->int2, 0)), FromUtf8(message)};
  }

  [[nodiscard]] bool ReadsBack(std::string_view bytes) const override {
    // The parse that loading does, with no tree built: the same limits and the same reading of
    // the input in pieces.
    xmlSAXHandler nothing{};
    nothing.initialized = XML_SAX2_MAGIC;
    ChunkedInput input{bytes};
    const ParserPtr parser(xmlCreateIOParserCtxt(&nothing, nullptr, &ChunkedInput::Read,
                                                 &ChunkedInput::Close, &input,
                                                 XML_CHAR_ENCODING_NONE));
    if (!parser) return false;
    xmlCtxtUseOptions(parser.get(), kLoadOptions);
    return xmlParseDocument(parser.get()) == 0 && parser->wellFormed != 0;
  }

  [[nodiscard]] std::optional<std::string> EncodeInCodePage(WideView text,
                                                            unsigned code_page) const override {
    const std::string charset(CodePageCharsetName(code_page));
    if (charset.empty()) return std::nullopt;
    const IconvHandle cd(charset.c_str(), "UTF-16LE");
    if (!cd) return std::nullopt;
    std::string in = EncodeUtf16Le(text);
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    std::string out;
    while (in_left > 0) {
      std::array<char, 256> buffer{};
      char* out_ptr = buffer.data();
      std::size_t out_left = buffer.size();
      const std::size_t result = iconv(cd.get(), &in_ptr, &in_left, &out_ptr, &out_left);
      out.append(buffer.data(), buffer.size() - out_left);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    }
    return out;
  }
};

}  // namespace

XmlNodeKind Libxml2NodeKind(const xmlNode& node) {
  switch (node.type) {
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

std::unique_ptr<XmlDocument> Libxml2DomFactory::CreateDocument() const {
  // A library must not write to its host's standard error; libxml2's handlers are per thread.
  xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  xmlSetStructuredErrorFunc(nullptr, &IgnoreError);
  static const Libxml2Parser parser;
  return MakeSplicedDocument(parser);
}

}  // namespace tovrel::portable
