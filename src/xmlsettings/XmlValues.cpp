#include "xmlsettings/XmlValues.h"

#include <exception>

#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"

namespace tovrel {

std::int32_t DoXMLAddNode(const SettingsServices& services, WideView file_name, WideView node_path,
                          WideView value, ChangeStop* stop) {
  const ChangeStop reached = ChangeSettingsFile(services, file_name, [&](XmlDocument& document) {
    const XmlNodePtr root = document.DocumentElement();
    XmlNodePtr node = XMLFindNode(*root, node_path);
    if (node) {
      if (!value.empty()) WriteElementText(*node, value);
    } else {
      node = XMLCreateNode(*root, node_path, value);
    }
    return node ? ChangeStep::kSave : ChangeStep::kCannotChange;
  });
  if (stop) *stop = reached;
  return reached == ChangeStop::kSaved ? 1 : 0;
}

WideText DoXMLGetNode(const XmlDomFactory& xml, WideView file_name, WideView node_path) {
  try {
    const std::unique_ptr<XmlDocument> document = LoadSettingsFile(xml, file_name);
    if (!document) return u"Empty";
    const XmlNodePtr node = XMLFindNode(*document->DocumentElement(), node_path);
    return node ? ReadElementText(*node) : u"Empty";
  } catch (const std::exception&) {
    return u"Empty";
  }
}

}  // namespace tovrel
