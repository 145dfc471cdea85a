#pragma once

#include <memory>

#include "platform/AnsiCodePage.h"
#include "platform/ProfileFiles.h"

namespace tovrel::portable {

// Profile files on the sample machine's drives or at native paths.
class IniProfileFiles final : public ProfileFiles {
 public:
  explicit IniProfileFiles(std::unique_ptr<const AnsiCodePage> code_page);

  [[nodiscard]] WideText ReadProfileString(WideView file_name, WideView section, WideView key,
                                           WideView default_value) const override;

 private:
  std::unique_ptr<const AnsiCodePage> code_page_;
};

}  // namespace tovrel::portable
