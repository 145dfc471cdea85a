#include "Tovrel.h"
#include "export/ByteFlag.h"
#include "export/ExportBoundary.h"
#include "fileutil/DirectoryEmpty.h"
#include "fileutil/VersionInfo.h"
#include "fileutil/VersionText.h"

using tovrel::Module;

extern "C" {

const char* TOVREL_CALL QueryVersionInfo(const char* FileName) {
  return tovrel::TextExport([&](Module& module) {
    return tovrel::GetVersionInfoItem(*module.platform().versions, module.FromHost(FileName),
                                      u"FileVersion");
  });
}

// A field that is not an integer ends the call with 0, the boundary's neutral result.
int32_t TOVREL_CALL QueryNumFromInfo(const char* VersionText, uint32_t WithRelease) {
  return tovrel::IntegerExport([&](Module& module) {
    return tovrel::VersionTextToNumber(module.FromHost(VersionText), tovrel::ByteFlag(WithRelease));
  });
}

int32_t TOVREL_CALL IsDirectoryEmpty(const char* Directory) {
  return tovrel::IntegerExport([&](Module& module) {
    return static_cast<int32_t>(
        tovrel::CheckDirectoryEmpty(*module.platform().directories, module.FromHost(Directory)));
  });
}

}  // extern "C"
