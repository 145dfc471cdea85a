#include "XmlDiagnosis.h"

#include "Commands.h"
#include "FileDiagnosis.h"

#ifdef _WIN32

#include <windows.h>

#include <msxml2.h>

#include "HostArguments.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/ComText.h"

namespace tovrel::tool {
namespace {

using win32::ComPtr;

// MSXML 3.0's document, which every Windows has; its parse error tells line and column.
constexpr GUID kDomDocument30 = {
    0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};

std::optional<std::string> ParseErrorReason(const std::string& host_file) {
  ComPtr<IXMLDOMDocument> document;
  if (FAILED(CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                              document.put_void()))) {
    return Quoted(host_file) + " could not be loaded: MSXML is not available";
  }
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  win32::UniqueVariant source;
  source.SetText(HostToWide(host_file));
  VARIANT_BOOL loaded = VARIANT_FALSE;
  ComPtr<IXMLDOMElement> root;
  if (SUCCEEDED(document->load(*source, &loaded)) && loaded == VARIANT_TRUE &&
      SUCCEEDED(document->get_documentElement(root.put())) && root) {
    return std::nullopt;
  }
  ComPtr<IXMLDOMParseError> error;
  long line = 0;
  long column = 0;
  win32::UniqueBstr reason;
  if (FAILED(document->get_parseError(error.put())) || !error || FAILED(error->get_line(&line)) ||
      FAILED(error->get_linepos(&column)) || FAILED(error->get_reason(reason.put())) || line == 0) {
    return Quoted(host_file) + " is not well-formed XML";
  }
  std::string message = TerminalText(win32::FromBstr(reason));
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return Quoted(host_file) + " is not well-formed XML: line " + std::to_string(line) + ", column " +
         std::to_string(column) + ": " + message;
}

}  // namespace
}  // namespace tovrel::tool

#else

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <memory>

namespace tovrel::tool {
namespace {

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

// libxml2's own account of the file, with the options the library loads it with.
std::optional<std::string> ParseErrorReason(const std::string& host_file) {
  xmlResetLastError();
  const std::unique_ptr<xmlDoc, DocDeleter> doc(
      xmlReadFile(LocalPath(host_file).c_str(), nullptr,
                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (doc && xmlDocGetRootElement(doc.get()) != nullptr) return std::nullopt;
  const xmlError* error = xmlGetLastError();
  if (error == nullptr || error->message == nullptr) {
    return Quoted(host_file) + " holds no XML element";
  }
  std::string message = error->message;
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return Quoted(host_file) + " is not well-formed XML: line " + std::to_string(error->line) +
         ", column " + std::to_string(error->int2) + ": " + message;
}

}  // namespace
}  // namespace tovrel::tool

#endif

namespace tovrel::tool {

std::optional<std::string> UnloadableDocumentReason(const std::string& host_file) {
  if (auto reason = UnreadableFileReason(host_file)) return reason;
  return ParseErrorReason(host_file);
}

}  // namespace tovrel::tool
