#include "support/BackendXmlParser.h"

#ifdef _WIN32
#include "platform/win32/MsxmlDom.h"
#else
#include "platform/portable/Libxml2Dom.h"
#endif

namespace tovrel::test {

const XmlParser& BackendXmlParser() {
#ifdef _WIN32
  return win32::MsxmlXmlParser();
#else
  return portable::Libxml2XmlParser();
#endif
}

}  // namespace tovrel::test
