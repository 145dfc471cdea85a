#pragma once

#include <vector>

#include "platform/Text.h"

namespace tovrel {

// The installed-applications list: Name=Value entries in the order they were added, the name an
// installation directory and the value its display name. Names compare without regard to case.
class InstalledAppsList {
 public:
  void Add(WideView directory, WideView display_name);
  // True when an entry's name equals the directory without regard to case.
  [[nodiscard]] bool HasName(WideView directory) const;
  void Clear() { entries_.clear(); }
  [[nodiscard]] const std::vector<WideText>& entries() const { return entries_; }

  // An entry splits at its first "="; without one, the whole entry is the name.
  static WideView NamePart(WideView entry);
  static WideView ValuePart(WideView entry);

 private:
  std::vector<WideText> entries_;
};

}  // namespace tovrel
