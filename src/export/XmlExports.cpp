#include "Tovrel.h"
#include "export/ExportBoundary.h"
#include "xmlsettings/XmlValues.h"

using tovrel::Module;

extern "C" {

int32_t TOVREL_CALL XMLAddNode(const char* FileName, const char* NodePath, const char* Value) {
  return tovrel::IntegerExport([&](Module& module) {
    const auto& platform = module.platform();
    return tovrel::DoXMLAddNode({*platform.xml, *platform.files}, module.FromHost(FileName),
                                module.FromHost(NodePath), module.FromHost(Value));
  });
}

const char* TOVREL_CALL XMLGetNode(const char* FileName, const char* NodePath) {
  return tovrel::TextExport([&](Module& module) {
    return tovrel::DoXMLGetNode(*module.platform().xml, module.FromHost(FileName),
                                module.FromHost(NodePath));
  });
}

}  // extern "C"
