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
  ChangeStop ignored = ChangeStop::kSaved;
  ChangeStop& reached = stop ? *stop : ignored;
  reached = ChangeStop::kNoLock;
  try {
    if (NamesNoFile(services.files, file_name)) return SectionWrite::kFailed;
    const std::unique_ptr<FileChangeLock> lock =
        services.files.LockForChange(file_name, kFileChangeWait);
    if (!lock) return SectionWrite::kFailed;
    reached = ChangeStop::kNotLoaded;
    const std::unique_ptr<XmlDocument> document = LoadSettingsFile(services.xml, file_name);
    if (!document) return SectionWrite::kFailed;
    reached = ChangeStop::kNotChanged;
    const XmlNodePtr root = document->DocumentElement();
    // The section is found and created by one rule, so that the node a run writes is the node the
    // next run clears or removes. A section the file holds more than once is one section: its
    // copies after the first go, or else the next run would find one of them and change the file
    // again.
    std::vector<XmlNodePtr> copies = XMLFindAll(*root, node_path);
    if (list.entries().empty()) {
      if (copies.empty()) {
        reached = ChangeStop::kSaved;
        return SectionWrite::kNothingToDo;
      }
      for (const XmlNodePtr& copy : copies) copy->Remove();
    } else {
      const XmlNodePtr section =
          copies.empty() ? XMLFindOrCreateNode(*root, node_path) : std::move(copies.front());
      for (std::size_t i = 1; i < copies.size(); ++i) copies[i]->Remove();
      while (XmlNodePtr child = section->FirstChild()) child->Remove();
      AddEntries(*section, list);
    }
    reached = SaveSettingsFile(services, *document, file_name);
    return reached == ChangeStop::kSaved ? SectionWrite::kSaved : SectionWrite::kFailed;
  } catch (const std::exception&) {
    return SectionWrite::kFailed;
  }
}

void XMLAddAppNode(XmlNode& node, std::size_t index, WideView directory, WideView display_name) {
  const XmlNodePtr child = node.AddChild(u"APP" + WidenAscii(std::to_string(index + 1)));
  // What the machine holds is written as far as XML can hold it.
  child->SetAttribute(u"NAME", WithoutNonXmlChars(display_name));
  WriteElementText(*child, WithoutNonXmlChars(directory));
}

}  // namespace tovrel
