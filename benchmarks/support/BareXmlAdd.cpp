#include "support/BareXmlAdd.h"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

namespace tovrel::bench {
namespace {

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

const xmlChar* Xml(const char* text) {
  return reinterpret_cast<const xmlChar*>(text);
}

bool Flush(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  return ::close(fd) == 0 && flushed;
}

}  // namespace

bool BareXmlAdd(const char* file) {
  const std::unique_ptr<xmlDoc, DocDeleter> doc(
      xmlReadFile(file, nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS));
  xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  if (root == nullptr) return false;
  xmlNode* added = xmlNewChild(root, nullptr, Xml("NEW"), nullptr);
  if (added == nullptr || xmlNewTextChild(added, nullptr, Xml("KEY"), Xml("v")) == nullptr) {
    return false;
  }
  const std::string temporary = std::string(file) + ".new";
  const char* encoding = doc->encoding ? reinterpret_cast<const char*>(doc->encoding) : "UTF-8";
  return xmlSaveFileEnc(temporary.c_str(), doc.get(), encoding) >= 0 && Flush(temporary) &&
         std::rename(temporary.c_str(), file) == 0;
}

bool BareReadBack(const char* file) {
  xmlSAXHandler nothing{};
  nothing.initialized = XML_SAX2_MAGIC;
  xmlParserCtxt* parser = xmlCreateFileParserCtxt(file);
  if (parser == nullptr) return false;
  xmlSAXHandler* own = parser->sax;
  parser->sax = &nothing;
  xmlCtxtUseOptions(parser, XML_PARSE_NONET);
  const bool parsed = xmlParseDocument(parser) == 0 && parser->wellFormed != 0;
  parser->sax = own;
  xmlFreeParserCtxt(parser);
  return parsed;
}

}  // namespace tovrel::bench
