#include "detect/InstalledAppsList.h"

namespace tovrel {

void InstalledAppsList::Add(WideView directory, WideView display_name) {
  entries_.push_back({WideText(directory), WideText(display_name)});
  directory_keys_.insert(CaseKeyInUserLocale(directory));
}

bool InstalledAppsList::HasName(WideView directory) const {
  return directory_keys_.contains(CaseKeyInUserLocale(directory));
}

}  // namespace tovrel
