#include "MachineOption.h"

#include <cstdio>

#ifdef _WIN32

namespace tovrel::tool {

ExitCode UseMachine(const std::string&) {
  std::fputs("tovrel: --machine is for the Linux build; Windows reads its own machine\n", stderr);
  return kUsage;
}

}  // namespace tovrel::tool

#else

#include <stdlib.h>

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

}  // namespace tovrel::tool

#endif
