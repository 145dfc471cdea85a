#pragma once

#include "text/Text.h"

namespace tovrel {

// Conversion between the process's ANSI code page and UTF-16. The code page is fixed when the
// backend is made, once per process, as Windows fixes it at start-up.
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;

  // The code page number, for example 1250 or 1252.
  [[nodiscard]] virtual unsigned Number() const = 0;

  // Widens bytes; a byte the code page does not define becomes the character of the same value.
  [[nodiscard]] virtual WideText ToWide(AnsiView text) const = 0;

  // Narrows text; a character the code page cannot represent becomes its default character "?".
  [[nodiscard]] virtual AnsiText ToAnsi(WideView text) const = 0;
};

}  // namespace tovrel
