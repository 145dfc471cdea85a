#pragma once

#include <array>
#include <unordered_map>

#include "platform/AnsiCodePage.h"

namespace tovrel::portable {

// A single-byte Windows code page through iconv. The 256 byte meanings are read from iconv once;
// a character outside the code page takes Windows' best-fit replacement where the Latin letters
// have one ("ł" becomes "l" under 1252), else "?".
class IconvCodePage final : public AnsiCodePage {
 public:
  // Raises std::invalid_argument when iconv does not know the code page.
  explicit IconvCodePage(unsigned number);

  // The code page named by TOVREL_ACP, 1252 when it is unset or unknown.
  static unsigned NumberFromEnvironment();

  [[nodiscard]] unsigned Number() const override;
  [[nodiscard]] WideText ToWide(AnsiView text) const override;
  [[nodiscard]] AnsiText ToAnsi(WideView text) const override;

 private:
  [[nodiscard]] char BestFit(char16_t c) const;

  unsigned number_;
  std::array<char16_t, 256> to_wide_{};
  std::unordered_map<char16_t, char> to_ansi_;
};

}  // namespace tovrel::portable
