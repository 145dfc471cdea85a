#include <array>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

constexpr std::array<const char*, 5> kSections = {"EXCEL", "VL", "AS", "FR", "PLATNIK"};

// What each section of the report holds, read back through XMLGetNode: the folders of its APP
// elements in order.
std::string Summary(const std::string& file) {
  std::string summary;
  for (const char* section : kSections) {
    std::string folders;
    int count = 0;
    for (;; ++count) {
      const std::string path =
          std::string("STARTUP.INSTALLEDAPPS.") + section + ".APP" + std::to_string(count + 1);
      const std::string folder = XMLGetNode(file.c_str(), path.c_str());
      if (folder == "Empty") break;
      folders += "\n    " + Text(folder.c_str());
    }
    summary += std::string(section) + ": " + std::to_string(count) + " found" + folders + "\n";
  }
  return summary;
}

std::string Report(const Arguments& arguments) {
  const std::string& file = arguments[0];
  const int32_t saved = XMLSaveInstalledApps(file.c_str());
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str() + "\n== installed applications\n" + Summary(file) +
         (saved == 1 ? "every section written" : "NOT every section could be written");
}

const CommandRegistration kReport{"report", {"SETTINGS.xml", 1, Report}};

}  // namespace
}  // namespace tovrel::tool
