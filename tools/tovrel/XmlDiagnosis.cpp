#include "XmlDiagnosis.h"

#include "Commands.h"
#include "FileDiagnosis.h"

#ifdef _WIN32

#include "platform/Platform.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {
namespace {

// MSXML keeps its parse error inside the document object the library drops.
std::optional<std::string> ParseErrorReason(const std::string& host_file) {
  const Platform platform = MakePlatform();
  if (LoadSettingsFile(*platform.xml, platform.code_page->ToWide(host_file))) return std::nullopt;
  return Quoted(host_file) + " is not well-formed XML";
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
