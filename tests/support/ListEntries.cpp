#include "support/ListEntries.h"

namespace tovrel::test {

std::vector<WideText> ListEntries(const InstalledAppsList& list) {
  std::vector<WideText> texts;
  for (const InstalledApp& entry : list.entries()) {
    texts.push_back(entry.directory + u"=" + entry.display_name);
  }
  return texts;
}

}  // namespace tovrel::test
