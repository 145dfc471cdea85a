// The case-insensitive comparisons of Text.h, by the Windows API that compares names.
#include <windows.h>

#include <climits>

#include "platform/Text.h"

namespace tovrel {
namespace {

// The W functions take int lengths; no name the library compares comes near that limit.
[[nodiscard]] bool FitsInt(WideView text) {
  return text.size() <= INT_MAX;
}

[[nodiscard]] const wchar_t* Units(WideView text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

}  // namespace

bool EqualsIgnoreCase(WideView a, WideView b) {
  return a.size() == b.size() && CompareIgnoreCase(a, b) == 0;
}

int CompareIgnoreCase(WideView a, WideView b) {
  if (!FitsInt(a) || !FitsInt(b)) return a.compare(b);
  const int result = CompareStringOrdinal(Units(a), static_cast<int>(a.size()), Units(b),
                                          static_cast<int>(b.size()), TRUE);
  // 0 is the call's failure, for arguments it refuses: fall back to the exact order.
  return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

bool EqualsIgnoreCaseInUserLocale(WideView a, WideView b) {
  if (!FitsInt(a) || !FitsInt(b)) return a == b;
  return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, Units(a),
                         static_cast<int>(a.size()), Units(b), static_cast<int>(b.size()), nullptr,
                         nullptr, 0) == CSTR_EQUAL;
}

}  // namespace tovrel
