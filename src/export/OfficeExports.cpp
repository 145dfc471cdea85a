#include "Tovrel.h"
#include "detect/TMSI.h"
#include "export/ExportBoundary.h"
#include "fileutil/DirectoryPart.h"

extern "C" const char* TOVREL_CALL GetLastExcel(void) {
  return tovrel::TextExport([](tovrel::Module& module) {
    return tovrel::DirectoryPart(tovrel::FindLastExcel(module.msi()));
  });
}
