#include "MachineOption.h"

#include <cstdio>

#ifdef _WIN32

bool UseMachine(const char*) {
  std::fputs("tovrel: --machine is for the Linux build; Windows reads its own machine\n", stderr);
  return false;
}

#else

#include <stdlib.h>

#include "platform/portable/IconvCodePage.h"
#include "platform/portable/MachineRegistry.h"

bool UseMachine(const char* folder) {
  // The library reads the variable on each use, so setting it before the first call suffices.
  setenv("TOVREL_MACHINE", folder, 1);
  try {
    const tovrel::portable::IconvCodePage code_page(
        tovrel::portable::IconvCodePage::NumberFromEnvironment());
    static_cast<void>(tovrel::portable::LoadMachineRegistry(folder, code_page));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tovrel: %s\n", error.what());
    return false;
  }
  return true;
}

#endif
