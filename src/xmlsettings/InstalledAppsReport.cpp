#include "xmlsettings/InstalledAppsReport.h"

#include <exception>
#include <string>
#include <vector>

#include "platform/xml/XmlContent.h"
#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"

namespace tovrel {
namespace {

void AddEntries(XmlNode& section, const InstalledAppsList& list) {
  const auto& entries = list.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    XMLAddAppNode(section, i, entries[i].directory, entries[i].display_name);
  }
}

}  // namespace

SectionWrite XMLWriteAppList(const SettingsServices& services, const InstalledAppsList& list,
                             WideView file_name, WideView node_path, ChangeStop* stop) {
  bool nothing_to_do = false;
  const ChangeStop reached = ChangeSettingsFile(services, file_name, [&](XmlDocument& document) {
    const XmlNodePtr root = document.DocumentElement();
    // The section is found and created by one rule, so that the node a run writes is the node
    // the next run clears or removes. A section the file holds more than once is one section:
    // its copies after the first go, or else the next run would find one of them and change the
    // file again.
    std::vector<XmlNodePtr> copies = XMLFindAll(*root, node_path);
    nothing_to_do = list.entries().empty() && copies.empty();
    if (nothing_to_do) return ChangeStep::kNothingToSave;
    if (list.entries().empty()) {
      for (const XmlNodePtr& copy : copies) copy->Remove();
    } else {
      const XmlNodePtr section =
          copies.empty() ? XMLFindOrCreateNode(*root, node_path) : std::move(copies.front());
      for (std::size_t i = 1; i < copies.size(); ++i) copies[i]->Remove();
      while (XmlNodePtr child = section->FirstChild()) child->Remove();
      AddEntries(*section, list);
    }
    return ChangeStep::kSave;
  });
  if (stop) *stop = reached;
  if (reached != ChangeStop::kSaved) return SectionWrite::kFailed;
  return nothing_to_do ? SectionWrite::kNothingToDo : SectionWrite::kSaved;
}

void XMLAddAppNode(XmlNode& node, std::size_t index, WideView directory, WideView display_name) {
  const XmlNodePtr child = node.AddChild(u"APP" + WidenAscii(std::to_string(index + 1)));
  // What the machine holds is written as far as XML can hold it.
  child->SetAttribute(u"NAME", WithoutNonXmlChars(display_name));
  WriteElementText(*child, WithoutNonXmlChars(directory));
}

}  // namespace tovrel
