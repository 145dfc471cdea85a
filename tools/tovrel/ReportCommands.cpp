#include <array>
#include <exception>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "Commands.h"
#include "FileDiagnosis.h"
#include "Tovrel.h"
#include "XmlDiagnosis.h"
#include "config/DefaultIniFile.h"
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

// The sections whose APP elements in the file are not the folders the machine lists, which a
// failed report left as they were; every section when the file cannot be read at all.
std::vector<std::string> StaleSections(const std::string& file) {
  const Platform platform = MakePlatform();
  const WideText default_ini_file = MakeDefaultIniFile(*platform.host);
  const TMSI msi(
      DetectionSources{*platform.installer,
                       ConfigSources{*platform.code_page, *platform.profiles, *platform.registry,
                                     *platform.crypto, default_ini_file},
                       *platform.files, *platform.versions, *platform.messages});
  const SectionReader reader(platform, file);
  std::vector<std::string> stale;
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    InstalledAppsList list;
    ListReportSection(msi, *platform.versions, kReportSections[s], list);
    std::vector<std::string> listed;
    for (const InstalledApp& entry : list.entries()) {
      listed.push_back(platform.code_page->ToAnsi(WithoutNonXmlChars(entry.directory)));
    }
    if (listed != reader.Folders(kSections[s])) stale.emplace_back(kSections[s]);
  }
  return stale;
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
  // What the file holds now is partly stale: name the sections not written instead.
  std::optional<std::string> why = UnloadableDocumentReason(file);
  const bool unloadable = why.has_value();
  if (!why) why = UnwritableFileReason(file);
  const ExitCode code = why ? kUnusable : kNegative;
  if (!why) why = Quoted(file) + " could not be saved";
  const std::vector<std::string> stale =
      unloadable ? std::vector<std::string>(kSections.begin(), kSections.end())
                 : StaleSections(file);
  std::string answer = "== installed applications\n";
  std::string names;
  for (const std::string& section : stale) {
    answer += section + ": not written\n";
    names += (names.empty() ? "" : ", ") + section;
  }
  return {
      answer + "NOT every section could be written", code,
      "section" + std::string(stale.size() == 1 ? " " : "s ") + names + " not written: " + *why};
}

const CommandRegistration kReport{
    "report",
    {"SETTINGS.xml", 1, Report,
     "write the installed-applications report into the file and show what it lists"}};

}  // namespace
}  // namespace tovrel::tool
