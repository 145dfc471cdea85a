#include "xmlsettings/XmlValues.h"

#include <exception>

#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"

namespace tovrel {

std::int32_t DoXMLAddNode(const SettingsServices& services, WideView file_name, WideView node_path,
                          WideView value, ChangeStop* stop) {
  ChangeStop ignored = ChangeStop::kSaved;
  ChangeStop& reached = stop ? *stop : ignored;
  reached = ChangeStop::kNoLock;
  try {
    if (NamesNoFile(services.files, file_name)) return 0;
    // Held from the load to the save, so that a change made meanwhile by another installer is
    // not overwritten.
    const std::unique_ptr<FileChangeLock> lock =
        services.files.LockForChange(file_name, kFileChangeWait);
    if (!lock) return 0;
    reached = ChangeStop::kNotLoaded;
    const std::unique_ptr<XmlDocument> document = LoadSettingsFile(services.xml, file_name);
    if (!document) return 0;
    reached = ChangeStop::kNotChanged;
    const XmlNodePtr root = document->DocumentElement();
    XmlNodePtr node = XMLFindNode(*root, node_path);
    if (node) {
      if (!value.empty()) WriteElementText(*node, value);
    } else {
      node = XMLCreateNode(*root, node_path, value);
    }
    if (!node) return 0;
    reached = SaveSettingsFile(services, *document, file_name);
    return reached == ChangeStop::kSaved ? 1 : 0;
  } catch (const std::exception&) {
    return 0;
  }
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
