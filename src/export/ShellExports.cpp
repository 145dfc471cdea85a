#include "Tovrel.h"
#include "export/ByteFlag.h"
#include "export/ExportBoundary.h"
#include "shell/FirewallRegistration.h"
#include "shell/SelectFolder.h"

using tovrel::Module;

extern "C" {

const char* TOVREL_CALL SelDirectory(const char* Caption, const char* Root) {
  return tovrel::TextExport([&](Module& module) {
    return tovrel::DoSelDirectory(*module.platform().folders, module.FromHost(Caption),
                                  module.FromHost(Root));
  });
}

int32_t TOVREL_CALL AddToFirewall(const char* ImagePath, const char* Name, uint32_t Enable) {
  return tovrel::IntegerExport([&](Module& module) {
    return tovrel::DoAddToFirewall(*module.platform().firewall, module.FromHost(ImagePath),
                                   module.FromHost(Name), tovrel::ByteFlag(Enable));
  });
}

}  // extern "C"
