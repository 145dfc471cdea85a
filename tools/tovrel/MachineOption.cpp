#include "MachineOption.h"

#include <cstdio>

#ifdef _WIN32

namespace tovrel::tool {

ExitCode UseMachine(const std::string&) {
  std::fputs("tovrel: --machine is for the Linux build; Windows reads its own machine\n", stderr);
  return kUsage;
}

ExitCode CheckMachineFor(const std::string&, const std::vector<std::string>&) {
  return kPositive;
}

}  // namespace tovrel::tool

#else

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "platform/portable/IconvCodePage.h"
#include "platform/portable/machine/MachineRegistry.h"

namespace tovrel::tool {

ExitCode UseMachine(const std::string& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    const bool exists = std::filesystem::exists(folder, error);
    std::fprintf(stderr, "tovrel: machine folder '%s'%s\n", folder.c_str(),
                 exists ? " is not a folder" : ": no such folder");
    return kUnusable;
  }
  // The library reads the variable on each use, so setting it before the first call suffices.
  setenv("TOVREL_MACHINE", folder.c_str(), 1);
  try {
    const portable::IconvCodePage code_page(portable::IconvCodePage::NumberFromEnvironment());
    static_cast<void>(portable::LoadMachineRegistry(folder, code_page));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "tovrel: %s\n", failure.what());
    return kUnusable;
  }
  return kPositive;
}

ExitCode CheckMachineFor(const std::string& command, const std::vector<std::string>& arguments) {
  const bool explains_a_path = command == "explain" && !arguments.empty() &&
                               (arguments.front() == "xml-get" || arguments.front() == "xml-add");
  const bool reads_products = command.starts_with("last-") || command == "report" ||
                              (command == "explain" && !explains_a_path);
  const char* machine = std::getenv("TOVREL_MACHINE");
  if (!reads_products || (machine != nullptr && *machine != '\0')) return kPositive;
  std::fprintf(stderr,
               "tovrel: %s reads installed products, and the Linux build has no machine to read "
               "them from: give --machine DIR or set TOVREL_MACHINE (examples/machine is one)\n",
               command.c_str());
  return kUnusable;
}

}  // namespace tovrel::tool

#endif
