#pragma once

#include <vector>

#include "detect/InstalledAppsList.h"

namespace tovrel::test {

// The list's entries as "directory=display name" texts, for comparing with expected lists.
std::vector<WideText> ListEntries(const InstalledAppsList& list);

}  // namespace tovrel::test
