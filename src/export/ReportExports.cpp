#include "Tovrel.h"
#include "export/ExportBoundary.h"
#include "xmlsettings/SaveInstalledApps.h"

extern "C" int32_t TOVREL_CALL XMLSaveInstalledApps(const char* FileName) {
  return tovrel::IntegerExport([&](tovrel::Module& module) {
    const tovrel::Platform& platform = module.platform();
    return tovrel::DoXMLSaveInstalledApps({*platform.xml, *platform.files}, module.msi(),
                                          *platform.versions, module.FromHost(FileName));
  });
}
