#pragma once

#include "platform/AnsiCodePage.h"
#include "platform/ProfileFiles.h"

namespace tovrel::portable {

// Profile files on the sample machine's drives or at native paths.
class IniProfileFiles final : public ProfileFiles {
 public:
  // The code page must outlive the object.
  explicit IniProfileFiles(const AnsiCodePage& code_page);

  [[nodiscard]] WideText ReadProfileString(WideView file_name, WideView section, WideView key,
                                           WideView default_value) const override;

 private:
  const AnsiCodePage& code_page_;
};

}  // namespace tovrel::portable
