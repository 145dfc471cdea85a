#include "export/Module.h"

#include <string_view>

#include "config/DefaultIniFile.h"

namespace tovrel {

static_assert(sizeof(TovrelWideChar) == sizeof(char16_t), "wide text is UTF-16");

Module::Module()
    : platform_(MakePlatform()), default_ini_file_(MakeDefaultIniFile(*platform_.host)) {}

TMSI Module::msi(DetectionObserver* observer) const {
  return TMSI(DetectionSources{*platform_.installer, config(), *platform_.files,
                               *platform_.versions, *platform_.messages, observer});
}

ConfigSources Module::config() const {
  return ConfigSources{*platform_.code_page, *platform_.profiles, *platform_.registry,
                       *platform_.crypto, default_ini_file_};
}

WideText Module::FromHost(const char* text) const {
  return text ? platform_.code_page->ToWide(std::string_view(text)) : WideText();
}

WideText Module::FromWide(const TovrelWideChar* text) {
  if (!text) return {};
  // wchar_t on Windows and char16_t elsewhere: both hold UTF-16 code units.
  const auto* units = reinterpret_cast<const char16_t*>(text);
  return WideText(units);
}

const char* Module::SetResult(std::string_view text) {
  return result_.Store(text);
}

const TovrelWideChar* Module::SetWideResult(WideView text) {
  return reinterpret_cast<const TovrelWideChar*>(wide_result_.Store(text));
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
