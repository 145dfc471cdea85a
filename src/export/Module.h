#pragma once

#include <string>

#include "config/ConfigSources.h"
#include "detect/TMSI.h"
#include "export/ResultBuffer.h"
#include "platform/Platform.h"

namespace tovrel {

// What the library keeps between calls: the platform services, the product-lookup object and the
// one result string that every text-returning export hands back. Made when the library is loaded.
class Module {
 public:
  Module();

  [[nodiscard]] const Platform& platform() const { return platform_; }
  // The one product-lookup object of the library.
  [[nodiscard]] const TMSI& msi() const { return msi_; }

  // The settings file beside the host's executable, fixed at load; empty when it is unknown.
  [[nodiscard]] const WideText& DefaultIniFile() const { return default_ini_file_; }

  // What the settings readers read from: this module's platform and default settings file.
  [[nodiscard]] ConfigSources config() const;

  // Host text (null is the empty text) to UTF-16 in the ANSI code page.
  [[nodiscard]] WideText FromHost(const char* text) const;

  // Stores the text as the result string and gives its address, which stays allocated until
  // unload and shows each later result that fits where it points.
  const char* SetResult(std::string_view text);
  // Stores UTF-16 text converted to the ANSI code page.
  const char* SetResult(WideView text);

 private:
  Platform platform_;
  WideText default_ini_file_;
  TMSI msi_;
  ResultBuffer result_;
};

// The module, made on first use; the library's load makes that use.
Module& TheModule();

}  // namespace tovrel
