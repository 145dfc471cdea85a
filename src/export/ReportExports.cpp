#include <vector>

#include "Tovrel.h"
#include "export/ExportBoundary.h"
#include "reasons/XmlReasons.h"
#include "xmlsettings/SaveInstalledApps.h"

namespace tovrel {
namespace {

std::int32_t SaveInstalledApps(Module& module, Call& call, const WideText& file) {
  call.Takes(file);
  const SettingsServices services = module.settings();
  std::vector<UnwrittenSection> unwritten;
  const std::int32_t saved = DoXMLSaveInstalledApps(services, module.msi(call.recorder()),
                                                    *module.platform().versions, file, &unwritten);
  if (saved == 0) {
    call.Because([&] { return XMLSaveInstalledAppsReasons(services, file, unwritten); });
  }
  return saved;
}

}  // namespace
}  // namespace tovrel

using tovrel::Call;
using tovrel::Module;

extern "C" {

int32_t TOVREL_CALL XMLSaveInstalledApps(const char* FileName) {
  return tovrel::IntegerExport(u"XMLSaveInstalledApps", [&](Module& module, Call& call) {
    return tovrel::SaveInstalledApps(module, call, module.FromHost(FileName));
  });
}

int32_t TOVREL_CALL XMLSaveInstalledAppsW(const TovrelWideChar* FileName) {
  return tovrel::IntegerExport(u"XMLSaveInstalledAppsW", [&](Module& module, Call& call) {
    return tovrel::SaveInstalledApps(module, call, Module::FromWide(FileName));
  });
}

}  // extern "C"
