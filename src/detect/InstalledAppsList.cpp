#include "detect/InstalledAppsList.h"

#include <algorithm>

namespace tovrel {

void InstalledAppsList::Add(WideView directory, WideView display_name) {
  entries_.push_back({WideText(directory), WideText(display_name)});
}

bool InstalledAppsList::HasName(WideView directory) const {
  return std::ranges::any_of(entries_, [&](const InstalledApp& entry) {
    return EqualsIgnoreCaseInUserLocale(entry.directory, directory);
  });
}

}  // namespace tovrel
