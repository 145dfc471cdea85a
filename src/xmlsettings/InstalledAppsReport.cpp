#include "xmlsettings/InstalledAppsReport.h"

#include <exception>
#include <string>

#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"

namespace tovrel {
namespace {

void AddEntries(XmlNode& section, const InstalledAppsList& list) {
  const auto& entries = list.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    XMLAddAppNode(section, i, InstalledAppsList::NamePart(entries[i]),
                  InstalledAppsList::ValuePart(entries[i]));
  }
}

}  // namespace

SectionWrite XMLWriteAppList(const SettingsServices& services, const InstalledAppsList& list,
                             WideView file_name, WideView node_path) {
  try {
    const std::unique_ptr<XmlDocument> document = LoadSettingsFile(services.xml, file_name);
    if (!document) return SectionWrite::kFailed;
    const XmlNodePtr root = document->DocumentElement();
    if (XmlNodePtr section = XMLFindNode(*root, node_path)) {
      while (section->ChildCount() > 0) section->RemoveChild(0);
      if (list.entries().empty()) {
        section->Remove();
      } else {
        AddEntries(*section, list);
      }
    } else if (!list.entries().empty()) {
      AddEntries(*XMLCreateNode(*root, node_path, u""), list);
    } else {
      return SectionWrite::kNothingToDo;
    }
    return SaveSettingsFile(services, *document, file_name) ? SectionWrite::kSaved
                                                            : SectionWrite::kFailed;
  } catch (const std::exception&) {
    return SectionWrite::kFailed;
  }
}

void XMLAddAppNode(XmlNode& node, std::size_t index, WideView directory, WideView display_name) {
  const XmlNodePtr child = node.AddChild(u"APP" + WidenAscii(std::to_string(index + 1)));
  child->SetAttribute(u"NAME", display_name);
  WriteElementText(*child, directory);
}

}  // namespace tovrel
