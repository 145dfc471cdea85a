#pragma once

#include "text/Text.h"

namespace tovrel {

// Profile (INI) files read as Windows reads them: sections and keys without regard to case, the
// first match winning, blanks around keys and values dropped, one pair of enclosing quotes
// removed, files in UTF-16LE with a byte-order mark or in the ANSI code page.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // The whole value of the key in the section of the file, however long. The default, without
  // its trailing blanks, when the file, the section or the key is missing.
  [[nodiscard]] virtual WideText ReadProfileString(WideView file_name, WideView section,
                                                   WideView key, WideView default_value) const = 0;
};

}  // namespace tovrel
