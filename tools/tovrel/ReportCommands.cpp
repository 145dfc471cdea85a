#include <array>
#include <exception>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "Commands.h"
#include "LocalPath.h"
#include "Tovrel.h"
#include "platform/Platform.h"
#include "platform/xml/XmlContent.h"
#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"
#include "xmlsettings/SaveInstalledApps.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {
namespace {

constexpr std::array<const char*, 5> kSections = {"EXCEL", "VL", "AS", "FR", "PLATNIK"};

// What XMLGetNode answers for each APP<n> path of a section, from one parse of the file: the
// first element of each name in the path search's walk below the section is the node that
// XMLFindNode finds for that name.
class SectionReader {
 public:
  SectionReader(const Platform& platform, const std::string& file)
      : code_page_(*platform.code_page),
        document_(LoadSettingsFile(*platform.xml, code_page_.ToWide(file))) {}

  // The host text of each APP element in order, up to the first that XMLGetNode answers "Empty".
  [[nodiscard]] std::vector<std::string> Folders(const char* section) const {
    std::map<WideText, XmlNodePtr> first_of_name;
    if (document_) {
      try {
        const NodeSearch search =
            XMLFindSearch(*document_->DocumentElement(),
                          u"STARTUP.INSTALLEDAPPS." + WidenAscii(section) + u".APP");
        XMLWalkBelow(*search.below, [&](const XmlNode& node) {
          WideText name = node.Name();
          if (name.starts_with(u"APP")) first_of_name.try_emplace(std::move(name), node.Clone());
          return false;
        });
      } catch (const std::exception&) {
      }
    }
    std::vector<std::string> folders;
    for (;;) {
      const auto found =
          first_of_name.find(u"APP" + WidenAscii(std::to_string(folders.size() + 1)));
      std::string folder = "Empty";
      try {
        if (found != first_of_name.end()) {
          folder = code_page_.ToAnsi(ReadElementText(*found->second));
        }
      } catch (const std::exception&) {
      }
      if (folder == "Empty") return folders;
      folders.push_back(std::move(folder));
    }
  }

 private:
  const AnsiCodePage& code_page_;
  std::unique_ptr<XmlDocument> document_;
};

// What each section of the report holds: the folders of its APP elements in order.
std::string Summary(const std::string& file) {
  const Platform platform = MakePlatform();
  const SectionReader reader(platform, file);
  std::string summary;
  for (const char* section : kSections) {
    const std::vector<std::string> found = reader.Folders(section);
    std::string folders;
    for (const std::string& folder : found) folders += "\n    " + Text(folder.c_str());
    summary +=
        std::string(section) + ": " + std::to_string(found.size()) + " found" + folders + "\n";
  }
  return summary;
}

Outcome Report(const Arguments& arguments) {
  const std::string& file = arguments[0];
  const int32_t saved = XMLSaveInstalledApps(file.c_str());
  if (saved == 1) {
    std::ifstream in(LocalPath(file), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return Positive(content.str() + "\n== installed applications\n" + Summary(file) +
                    "every section written");
  }
  // What the file holds now is partly stale: the reasons name the sections not written.
  return Judged("== installed applications\nNOT every section could be written", false);
}

const CommandRegistration kReport{
    "report",
    {"SETTINGS.xml", 1, Report,
     "write the installed-applications report into the file and show what it lists"}};

}  // namespace
}  // namespace tovrel::tool
