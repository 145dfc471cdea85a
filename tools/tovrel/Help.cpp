#include "Help.h"

#include <map>

#include "Commands.h"

namespace tovrel::tool {
namespace {

std::string UsageLine(const std::string& name, const Command& command) {
  return command.usage.empty() ? name : name + " " + command.usage;
}

// One example per command, in the order of a first session; the explanation lists what it
// explains.
std::string Example(const std::string& name) {
  static const std::map<std::string, std::string> examples = {
      {"xml-get",
       "path: components separated by '.' (or '\\' when a name holds a '.'); the first ones\n"
       "name children step by step, the last is searched anywhere below them\n"
       "example: tovrel xml-get settings.xml STARTUP.LANGUAGE"},
      {"xml-add",
       "path: as xml-get's; missing elements are created\n"
       "example: tovrel xml-add settings.xml STARTUP.INSTALLEDAPPS.EXCEL 'C:\\Office' "
       "--dry-run"},
      {"my-dll-func", "example: tovrel my-dll-func 'check '"},
      {"sel-directory", "example: tovrel sel-directory 'Choose the data folder' 'C:\\'"},
      {"add-to-firewall", "example: tovrel add-to-firewall 'C:\\Velmora\\vl.exe' Velmora 1"},
      {"query-version-info", "example: tovrel query-version-info 'C:\\Velmora\\vl.exe'"},
      {"query-num-from-info", "example: tovrel query-num-from-info 9.30.1.71 1   (gives 93001)"},
      {"is-directory-empty", "example: tovrel is-directory-empty 'C:\\Dane'"},
      {"last-excel", "example: tovrel --machine examples/machine last-excel"},
      {"last-vl", "example: tovrel --machine examples/machine last-vl"},
      {"last-as", "example: tovrel --machine examples/machine last-as"},
      {"last-fr", "example: tovrel --machine examples/machine last-fr"},
      {"last-platnik", "example: tovrel --machine examples/machine last-platnik"},
      {"report", "example: tovrel --machine examples/machine report settings.xml"},
      {"explain",
       "explains: last-excel, last-vl, last-as, last-fr, last-platnik and report (what each\n"
       "candidate was and why it was chosen or passed over; --json for a program), xml-get FILE\n"
       "PATH and xml-add FILE PATH VALUE (how the path is followed; nothing is written)\n"
       "example: tovrel --machine examples/machine explain last-vl"},
      {"capture", "example: tovrel capture C:\\machine   (Windows build only)"},
  };
  const auto found = examples.find(name);
  return found == examples.end() ? std::string() : found->second + "\n";
}

constexpr char kExitCodes[] =
    "exit codes:\n"
    "  0  the positive answer: written, found, a version, a folder\n"
    "  1  the library's negative answer (0, Empty, an empty text); stderr says why\n"
    "  2  a usage error\n"
    "  3  the machine folder or an input file cannot be used; stderr says why\n";

}  // namespace

std::string Usage() {
  std::string text =
      "usage: tovrel [--machine DIR] [--log] COMMAND ARGUMENTS...\n"
      "       tovrel help [COMMAND] | --help | --version\n"
      "\ncommands:\n";
  for (const auto& [name, command] : AllCommands()) {
    text += "  " + UsageLine(name, command) + "\n      " + command.summary + "\n";
  }
  text +=
      "\noptions:\n"
      "  --machine DIR   run against the sample machine in DIR (Linux build)\n"
      "  --log           print on stderr the lines an installer's log gets for each call\n"
      "  --help, -h      this text; with a command, that command's\n"
      "  --version, -V   the version of tovrel and of the library\n"
      "\nenvironment:\n"
      "  TOVREL_MACHINE  (Linux) the sample-machine folder the library reads, as --machine sets "
      "it\n"
      "  TOVREL_ACP      (Linux) the library's ANSI code page: 1252 unless set, e.g. 1250, 932, "
      "65001\n"
      "\n";
  return text + kExitCodes;
}

std::string CommandHelp(const std::string& name) {
  const auto found = AllCommands().find(name);
  if (found == AllCommands().end()) return {};
  return "usage: tovrel [--machine DIR] [--log] " + UsageLine(name, found->second) + "\n" +
         found->second.summary + "\n" + Example(name) + "\n" + kExitCodes;
}

std::string VersionText() {
  // The tool carries the library's functions, built from the same sources as the DLL.
  return "tovrel " TOVREL_VERSION "\nlibrary " TOVREL_VERSION "\n";
}

}  // namespace tovrel::tool
