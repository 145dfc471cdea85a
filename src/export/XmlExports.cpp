#include "Tovrel.h"
#include "export/ExportBoundary.h"
#include "reasons/XmlReasons.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

std::int32_t AddNode(Module& module, Call& call, const WideText& file, const WideText& path,
                     const WideText& value) {
  call.Takes(file, path, value);
  const SettingsServices services = module.settings();
  ChangeStop stop = ChangeStop::kSaved;
  const std::int32_t written = DoXMLAddNode(services, file, path, value, &stop);
  if (written == 0) {
    call.Because([&] { return XMLAddNodeReasons(services, file, path, value, stop); });
  }
  return written;
}

WideText GetNode(Module& module, Call& call, const WideText& file, const WideText& path) {
  call.Takes(file, path);
  WideText text = DoXMLGetNode(*module.platform().xml, file, path);
  if (text == u"Empty") {
    call.Because([&] { return XMLGetNodeReasons(module.settings(), file, path); });
  }
  return text;
}

}  // namespace
}  // namespace tovrel

using tovrel::Call;
using tovrel::Module;

extern "C" {

int32_t TOVREL_CALL XMLAddNode(const char* FileName, const char* NodePath, const char* Value) {
  return tovrel::IntegerExport(u"XMLAddNode", [&](Module& module, Call& call) {
    return tovrel::AddNode(module, call, module.FromHost(FileName), module.FromHost(NodePath),
                           module.FromHost(Value));
  });
}

int32_t TOVREL_CALL XMLAddNodeW(const TovrelWideChar* FileName, const TovrelWideChar* NodePath,
                                const TovrelWideChar* Value) {
  return tovrel::IntegerExport(u"XMLAddNodeW", [&](Module& module, Call& call) {
    return tovrel::AddNode(module, call, Module::FromWide(FileName), Module::FromWide(NodePath),
                           Module::FromWide(Value));
  });
}

const char* TOVREL_CALL XMLGetNode(const char* FileName, const char* NodePath) {
  return tovrel::AnsiTextExport(u"XMLGetNode", [&](Module& module, Call& call) {
    return tovrel::GetNode(module, call, module.FromHost(FileName), module.FromHost(NodePath));
  });
}

const TovrelWideChar* TOVREL_CALL XMLGetNodeW(const TovrelWideChar* FileName,
                                              const TovrelWideChar* NodePath) {
  return tovrel::WideTextExport(u"XMLGetNodeW", [&](Module& module, Call& call) {
    return tovrel::GetNode(module, call, Module::FromWide(FileName), Module::FromWide(NodePath));
  });
}

}  // extern "C"
