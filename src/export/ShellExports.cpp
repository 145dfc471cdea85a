#include "Tovrel.h"
#include "export/ByteFlag.h"
#include "export/ExportBoundary.h"
#include "reasons/ShellReasons.h"
#include "shell/FirewallRegistration.h"
#include "shell/SelectFolder.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

WideText SelectDirectory(Module& module, Call& call, const WideText& caption,
                         const WideText& root) {
  call.Takes(caption, root);
  WideText folder = DoSelDirectory(*module.platform().folders, caption, root);
  if (folder.empty()) call.Because([] { return SelDirectoryReasons(); });
  return folder;
}

std::int32_t AddToFirewall(Module& module, Call& call, const WideText& image, const WideText& name,
                           std::uint32_t enable) {
  call.Takes(image, name, enable);
  try {
    const std::int32_t added =
        DoAddToFirewall(*module.platform().firewall, image, name, ByteFlag(enable));
    if (added == 0) call.Because([&] { return AddToFirewallReasons(name, u""); });
    return added;
  } catch (const FirewallError& error) {
    call.Because([&] { return AddToFirewallReasons(name, FromUtf8(error.what())); });
    return 0;
  }
}

}  // namespace
}  // namespace tovrel

using tovrel::Call;
using tovrel::Module;

extern "C" {

const char* TOVREL_CALL SelDirectory(const char* Caption, const char* Root) {
  return tovrel::AnsiTextExport(u"SelDirectory", [&](Module& module, Call& call) {
    return tovrel::SelectDirectory(module, call, module.FromHost(Caption), module.FromHost(Root));
  });
}

const TovrelWideChar* TOVREL_CALL SelDirectoryW(const TovrelWideChar* Caption,
                                                const TovrelWideChar* Root) {
  return tovrel::WideTextExport(u"SelDirectoryW", [&](Module& module, Call& call) {
    return tovrel::SelectDirectory(module, call, Module::FromWide(Caption), Module::FromWide(Root));
  });
}

int32_t TOVREL_CALL AddToFirewall(const char* ImagePath, const char* Name, uint32_t Enable) {
  return tovrel::IntegerExport(u"AddToFirewall", [&](Module& module, Call& call) {
    return tovrel::AddToFirewall(module, call, module.FromHost(ImagePath), module.FromHost(Name),
                                 Enable);
  });
}

int32_t TOVREL_CALL AddToFirewallW(const TovrelWideChar* ImagePath, const TovrelWideChar* Name,
                                   uint32_t Enable) {
  return tovrel::IntegerExport(u"AddToFirewallW", [&](Module& module, Call& call) {
    return tovrel::AddToFirewall(module, call, Module::FromWide(ImagePath), Module::FromWide(Name),
                                 Enable);
  });
}

}  // extern "C"
