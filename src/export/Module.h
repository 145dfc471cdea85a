#pragma once

#include <string>

#include "Tovrel.h"
#include "config/ConfigSources.h"
#include "detect/TMSI.h"
#include "export/ResultBuffer.h"
#include "platform/Platform.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// What the library keeps between calls: the platform services and the result string of each
// family of exports. Made when the library is loaded.
class Module {
 public:
  Module();

  [[nodiscard]] const Platform& platform() const { return platform_; }
  // The product lookups, telling the observer (when not null) what they consider.
  [[nodiscard]] TMSI msi(DetectionObserver* observer = nullptr) const;
  // What the settings-file functions need.
  [[nodiscard]] SettingsServices settings() const { return {*platform_.xml, *platform_.files}; }

  // The settings file beside the host's executable, fixed at load; empty when it is unknown.
  [[nodiscard]] const WideText& DefaultIniFile() const { return default_ini_file_; }

  // What the settings readers read from: this module's platform and default settings file.
  [[nodiscard]] ConfigSources config() const;

  // Host text (null is the empty text) to UTF-16 in the ANSI code page.
  [[nodiscard]] WideText FromHost(const char* text) const;
  // Wide host text; null is the empty text.
  [[nodiscard]] static WideText FromWide(const TovrelWideChar* text);

  // Stores the 8-bit text as the 8-bit family's result string and gives its address, which
  // stays allocated until unload and shows each later result that fits where it points.
  const char* SetResult(std::string_view text);
  // The same for the wide family's result string.
  const TovrelWideChar* SetWideResult(WideView text);

 private:
  Platform platform_;
  WideText default_ini_file_;
  ResultBuffer<char> result_;
  ResultBuffer<char16_t> wide_result_;
};

// The module, made on first use; the library's load makes that use.
Module& TheModule();

}  // namespace tovrel
