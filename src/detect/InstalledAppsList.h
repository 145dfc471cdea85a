#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "text/Text.h"

namespace tovrel {

// One installation of the report: its directory and its display name.
struct InstalledApp {
  WideText directory;
  WideText display_name;

  bool operator==(const InstalledApp&) const = default;
};

// The installed-applications list: entries in the order they were added. Directories compare
// without regard to case.
class InstalledAppsList {
 public:
  void Add(WideView directory, WideView display_name);
  // True when an entry's directory equals this one without regard to case.
  [[nodiscard]] bool HasName(WideView directory) const;
  void Clear() {
    entries_.clear();
    directory_keys_.clear();
  }
  [[nodiscard]] const std::vector<InstalledApp>& entries() const { return entries_; }

 private:
  std::vector<InstalledApp> entries_;
  // The directories' keys for the comparison, so that a look-up does not scan the list.
  std::unordered_set<std::string> directory_keys_;
};

}  // namespace tovrel
