// The case-insensitive comparisons of Text.h, by the Windows API that compares names.
#include <windows.h>

#include <climits>
#include <string>

#include "text/Text.h"

namespace tovrel {
namespace {

// The W functions take int lengths; no name the library compares comes near that limit.
[[nodiscard]] bool FitsInt(WideView text) {
  return text.size() <= INT_MAX;
}

[[nodiscard]] const wchar_t* Units(WideView text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

// The name's own units as bytes: a key that only the same name has.
[[nodiscard]] std::string ToBytes(WideView name) {
  return std::string(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(char16_t));
}

}  // namespace

WideText FoldCase(WideView name) {
  // The invariant upper-case mapping is the table the ordinal comparison ignores case by.
  WideText folded(name);
  if (folded.empty() || !FitsInt(folded)) return folded;
  const int length = static_cast<int>(folded.size());
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, Units(name), length,
                    reinterpret_cast<wchar_t*>(folded.data()), length, nullptr, nullptr,
                    0) != length) {
    return WideText(name);
  }
  return folded;
}

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

std::string CaseKeyInUserLocale(WideView name) {
  // A sort key made with the comparison's flags orders and equates names as the comparison does.
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  if (name.empty() || !FitsInt(name)) return ToBytes(name);
  const int length = static_cast<int>(name.size());
  const int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, Units(name), length, nullptr, 0,
                                 nullptr, nullptr, 0);
  if (size <= 0) return ToBytes(name);
  std::string key(static_cast<std::size_t>(size), '\0');
  const int written =
      LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, Units(name), length,
                    reinterpret_cast<wchar_t*>(key.data()), size, nullptr, nullptr, 0);
  if (written <= 0) return ToBytes(name);
  key.resize(static_cast<std::size_t>(written));
  // A sort key ends in a 0 byte, which a name's own bytes, taken below when the call fails, never
  // do as a whole: the two kinds of key cannot meet.
  return key;
}

}  // namespace tovrel
