#include "platform/portable/Libxml2Dom.h"

#include <iconv.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/PosixFileSystem.h"
#include "platform/xml/XmlEncoding.h"
#include "platform/xml/XmlEventTree.h"
#include "platform/xml/XmlSplicedDocument.h"
#include "text/Utf16Le.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

// Whitespace-only text is told like any other text (it is left out of the tree, not the parse).
constexpr int kLoadOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

struct XmlCharDeleter {
  void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;

struct NodeListDeleter {
  void operator()(xmlNode* nodes) const { xmlFreeNodeList(nodes); }
};
using NodeListPtr = std::unique_ptr<xmlNode, NodeListDeleter>;

struct ParserDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserPtr = std::unique_ptr<xmlParserCtxt, ParserDeleter>;

// Bytes handed to libxml2 a window at a time, as it reads a file: it then keeps only a window of
// the input, as it does for files, and a document parses from memory exactly as from its file.
// The bytes may come in pieces, which are read one after the other as if joined.
class ChunkedInput {
 public:
  explicit ChunkedInput(std::span<const std::string_view> pieces) : pieces_(pieces) {}

  static int Read(void* context, char* buffer, int size) {
    auto* input = static_cast<ChunkedInput*>(context);
    std::size_t given = 0;
    const auto wanted = static_cast<std::size_t>(size);
    while (given < wanted && !input->pieces_.empty()) {
      const std::string_view piece = input->pieces_.front().substr(input->offset_);
      const std::size_t length = std::min(piece.size(), wanted - given);
      std::copy_n(piece.data(), length, buffer + given);
      given += length;
      input->offset_ += length;
      if (input->offset_ == input->pieces_.front().size()) {
        input->pieces_ = input->pieces_.subspan(1);
        input->offset_ = 0;
      }
    }
    return static_cast<int>(given);
  }
  static int Close(void*) { return 0; }

 private:
  std::span<const std::string_view> pieces_;
  // How much of the first piece was read.
  std::size_t offset_ = 0;
};

void IgnoreMessage(void*, const char*, ...) {}
void IgnoreError(void*, xmlError*) {}

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

std::string_view View(const xmlChar* begin, const xmlChar* end) {
  return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

// libxml2's streaming parse, told to XmlEvents: the parse that building its tree does, with the
// same options, the same limits and the same reading of the input in pieces, and the nodes as
// its tree would hold them.
class SaxRead {
 public:
  explicit SaxRead(XmlEvents& events) : events_(events) {}

  bool Run(std::span<const std::string_view> pieces) {
    // libxml2's own handlers keep the document type and its entities, which a reference and an
    // attribute value are read against; the handlers here take what a tree would be built of.
    xmlSAXHandler handler{};
    xmlSAXVersion(&handler, 2);
    handler.startElement = nullptr;
    handler.endElement = nullptr;
    handler.startElementNs = &StartElement;
    handler.endElementNs = &EndElement;
    handler.characters = &Characters;
    handler.ignorableWhitespace = &Characters;
    handler.cdataBlock = &CData;
    handler.comment = &Comment;
    handler.processingInstruction = &ProcessingInstruction;
    handler.reference = &Reference;
    ChunkedInput input(pieces);
    const ParserPtr parser(xmlCreateIOParserCtxt(&handler, nullptr, &ChunkedInput::Read,
                                                 &ChunkedInput::Close, &input,
                                                 XML_CHAR_ENCODING_NONE));
    if (!parser) return false;
    context_ = parser.get();
    parser->_private = this;
    xmlCtxtUseOptions(parser.get(), kLoadOptions);
    const bool parsed = xmlParseDocument(parser.get()) == 0 && parser->wellFormed != 0;
    const DocPtr declarations(std::exchange(parser->myDoc, nullptr));
    return parsed && document_element_told_;
  }

 private:
  // The read a callback belongs to. The first reference to an entity has libxml2 parse the
  // entity's text with a parser of its own and the same handlers: that is no part of the
  // document, and is not told.
  static SaxRead* Of(void* context) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    auto* read = static_cast<SaxRead*>(parser->_private);
    return read != nullptr && read->context_ == parser ? read : nullptr;
  }

  [[nodiscard]] bool Inside() const { return depth_ > 0; }

  static void StartElement(void* context, const xmlChar* local_name, const xmlChar* prefix,
                           const xmlChar* /*uri*/, int namespace_count, const xmlChar** namespaces,
                           int attribute_count, int /*defaulted*/, const xmlChar** attributes) {
    SaxRead* read = Of(context);
    if (read == nullptr) return;
    read->scratch_.clear();
    read->attributes_.clear();
    // Namespace declarations first, as the tree keeps them apart from the attributes.
    for (int i = 0; i < namespace_count; ++i) {
      const xmlChar* declared = namespaces[2 * i];
      std::string_view name = "xmlns";
      if (declared != nullptr) name = read->Scratch("xmlns:", View(declared));
      read->attributes_.push_back({name, View(namespaces[2 * i + 1])});
    }
    for (int i = 0; i < attribute_count; ++i) {
      const xmlChar** attribute = attributes + 5 * i;
      const std::string_view name = attribute[1] != nullptr
                                        ? read->Scratch(View(attribute[1]), ":", View(attribute[0]))
                                        : View(attribute[0]);
      read->attributes_.push_back({name, read->AttributeValue(attribute[3], attribute[4])});
    }
    const std::string_view name =
        prefix != nullptr ? read->Scratch(View(prefix), ":", View(local_name)) : View(local_name);
    ++read->depth_;
    read->document_element_told_ = true;
    read->events_.StartElement(name, read->attributes_);
  }

  static void EndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    SaxRead* read = Of(context);
    if (read == nullptr || !read->Inside()) return;
    --read->depth_;
    read->events_.EndElement();
  }

  static void Characters(void* context, const xmlChar* text, int length) {
    SaxRead* read = Of(context);
    if (read != nullptr && read->Inside()) read->events_.Text(View(text, text + length));
  }

  static void CData(void* context, const xmlChar* text, int length) {
    SaxRead* read = Of(context);
    if (read != nullptr && read->Inside()) read->events_.CData(View(text, text + length));
  }

  static void Comment(void* context, const xmlChar* text) {
    SaxRead* read = Of(context);
    if (read != nullptr && read->Inside()) read->events_.Comment(View(text));
  }

  static void ProcessingInstruction(void* context, const xmlChar* target, const xmlChar*) {
    SaxRead* read = Of(context);
    if (read != nullptr && read->Inside()) read->events_.Other(View(target));
  }

  static void Reference(void* context, const xmlChar* name) {
    SaxRead* read = Of(context);
    if (read != nullptr && read->Inside()) read->events_.Other(View(name));
  }

  // Text that stays until the next element is told.
  template <typename... Parts>
  std::string_view Scratch(const Parts&... parts) {
    std::string& text = scratch_.emplace_back();
    (text.append(parts), ...);
    return text;
  }

  // An attribute's value as the tree would hold it. Without entity substitution libxml2 hands
  // over a value that holds "&" with its references still written out ("&" itself as "&#38;"),
  // and its tree reads them as this does.
  std::string_view AttributeValue(const xmlChar* begin, const xmlChar* end) {
    const std::string_view value = View(begin, end);
    if (value.find('&') == std::string_view::npos) return value;
    xmlNode* const nodes =
        xmlStringLenGetNodeList(context_->myDoc, begin, static_cast<int>(end - begin));
    const XmlCharPtr read(xmlNodeListGetString(context_->myDoc, nodes, 1));
    xmlFreeNodeList(nodes);
    return Scratch(View(read.get()));
  }

  XmlEvents& events_;
  xmlParserCtxt* context_ = nullptr;
  int depth_ = 0;
  bool document_element_told_ = false;
  std::vector<XmlEventAttribute> attributes_;
  // Never moves a text it holds, as the views told point into them.
  std::deque<std::string> scratch_;
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
    XmlEventTreeBuilder tree(bytes.size());
    return Read(bytes, tree) ? tree.Finish() : nullptr;
  }

  using XmlParser::Read;
  [[nodiscard]] bool Read(std::span<const std::string_view> pieces,
                          XmlEvents& events) const override {
    return SaxRead(events).Run(pieces);
  }

  [[nodiscard]] std::optional<XmlParseError> ParseError(std::string_view bytes) const override {
    const ParserPtr parser(xmlNewParserCtxt());
    if (!parser) return XmlParseError{0, 0, u"libxml2 could not make a parser"};
    ChunkedInput input(std::span(&bytes, 1));
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

const XmlParser& Libxml2XmlParser() {
  // A library must not write to its host's standard error; libxml2's handlers are per thread.
  xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  xmlSetStructuredErrorFunc(nullptr, &IgnoreError);
  static const Libxml2Parser parser;
  return parser;
}

std::unique_ptr<XmlDocument> Libxml2DomFactory::CreateDocument() const {
  return MakeSplicedDocument(Libxml2XmlParser());
}

}  // namespace tovrel::portable
