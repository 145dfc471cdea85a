#include "detect/InstalledAppsList.h"

#include <algorithm>

namespace tovrel {

void InstalledAppsList::Add(WideView directory, WideView display_name) {
  WideText entry(directory);
  entry += u'=';
  entry += display_name;
  entries_.push_back(std::move(entry));
}

bool InstalledAppsList::HasName(WideView directory) const {
  return std::ranges::any_of(entries_, [&](const WideText& entry) {
    return EqualsIgnoreCaseInUserLocale(NamePart(entry), directory);
  });
}

WideView InstalledAppsList::NamePart(WideView entry) {
  return entry.substr(0, entry.find(u'='));
}

WideView InstalledAppsList::ValuePart(WideView entry) {
  const std::size_t separator = entry.find(u'=');
  return separator == WideView::npos ? WideView() : entry.substr(separator + 1);
}

}  // namespace tovrel
