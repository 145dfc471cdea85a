#pragma once

#include "platform/AnsiCodePage.h"

namespace tovrel::win32 {

// MultiByteToWideChar and WideCharToMultiByte, flags 0, in the code page GetACP gives once.
class Win32CodePage final : public AnsiCodePage {
 public:
  Win32CodePage();
  // Another code page than the process's, such as UTF-8 (65001).
  explicit Win32CodePage(unsigned number);
  [[nodiscard]] unsigned Number() const override;
  [[nodiscard]] WideText ToWide(AnsiView text) const override;
  [[nodiscard]] AnsiText ToAnsi(WideView text) const override;

 private:
  unsigned number_;
};

}  // namespace tovrel::win32
