#include "Tovrel.h"
#include "detect/TMSI.h"
#include "export/ExportBoundary.h"
#include "fileutil/DirectoryPart.h"

using tovrel::Module;

extern "C" {

const char* TOVREL_CALL GetLastFR(void) {
  return tovrel::TextExport(
      [](Module& module) { return tovrel::DirectoryPart(tovrel::FindLastFerrolin(module.msi())); });
}

const char* TOVREL_CALL GetLastPlatnik(void) {
  return tovrel::TextExport(
      [](Module& module) { return tovrel::DirectoryPart(tovrel::FindLastPlatnik(module.msi())); });
}

const char* TOVREL_CALL GetLastVL(void) {
  return tovrel::TextExport([](Module& module) { return tovrel::FindLastVelmora(module.msi()); });
}

const char* TOVREL_CALL GetLastAS(void) {
  return tovrel::TextExport([](Module& module) { return tovrel::FindLastAstrelo(module.msi()); });
}

}  // extern "C"
