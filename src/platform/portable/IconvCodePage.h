#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "platform/AnsiCodePage.h"

namespace tovrel::portable {

// A Windows code page through iconv. Of a single-byte one the 256 byte meanings are read from
// iconv once, and a character outside the code page takes Windows' best-fit replacement where
// the Latin letters have one ("ł" becomes "l" under 1252), else "?". A multi-byte one (932, 936,
// 949, 950) is converted by iconv text by text, "?" standing for what does not convert. UTF-8
// (65001) is converted as Windows converts it: what is not UTF-8, or a lone surrogate, becomes
// U+FFFD.
class IconvCodePage final : public AnsiCodePage {
 public:
  // Raises std::invalid_argument when iconv does not know the code page.
  explicit IconvCodePage(unsigned number);
  ~IconvCodePage() override;
  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  // The code page named by TOVREL_ACP, 1252 when it is unset or unknown.
  static unsigned NumberFromEnvironment();
  // The number a setting such as TOVREL_ACP names: decimal digits alone, from 1 to 65535.
  static std::optional<unsigned> ParseNumber(std::string_view setting);

  [[nodiscard]] unsigned Number() const override;
  [[nodiscard]] WideText ToWide(AnsiView text) const override;
  [[nodiscard]] AnsiText ToAnsi(WideView text) const override;

 private:
  class Converter;

  [[nodiscard]] char BestFit(char16_t c) const;

  unsigned number_;
  std::unique_ptr<const Converter> decode_;
  std::unique_ptr<const Converter> encode_;
  bool multi_byte_ = false;
  bool utf8_ = false;
  // The bytes that start a two-byte character of a multi-byte page.
  std::array<bool, 256> lead_bytes_{};
  std::array<char16_t, 256> to_wide_{};
  std::unordered_map<char16_t, char> to_ansi_;
};

}  // namespace tovrel::portable
