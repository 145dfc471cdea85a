#include "export/Module.h"

#include <string_view>

#include "config/DefaultIniFile.h"

namespace tovrel {

Module::Module()
    : platform_(MakePlatform()),
      default_ini_file_(MakeDefaultIniFile(*platform_.host)),
      msi_(DetectionSources{*platform_.installer, config(), *platform_.files, *platform_.versions,
                            *platform_.messages}) {}

ConfigSources Module::config() const {
  return ConfigSources{*platform_.code_page, *platform_.profiles, *platform_.registry,
                       *platform_.crypto, default_ini_file_};
}

WideText Module::FromHost(const char* text) const {
  return text ? platform_.code_page->ToWide(std::string_view(text)) : WideText();
}

const char* Module::SetResult(std::string_view text) {
  return result_.Store(text);
}

const char* Module::SetResult(WideView text) {
  return SetResult(platform_.code_page->ToAnsi(text));
}

Module& TheModule() {
  static Module module;
  return module;
}

namespace {

// Start-up at load, so that the code page and the start-up paths are fixed before the first
// call. A failure here is retried by the first call, inside its exception boundary.
[[maybe_unused]] const bool kStarted = [] {
  try {
    TheModule();
    return true;
  } catch (...) {
    return false;
  }
}();

}  // namespace
}  // namespace tovrel
