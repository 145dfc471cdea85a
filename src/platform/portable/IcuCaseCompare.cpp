// The case-insensitive comparisons of Text.h, by Unicode simple case folding (ICU).
#include <unicode/uchar.h>

#include <algorithm>
#include <string>

#include "text/Text.h"

namespace tovrel {
namespace {

// Folds one UTF-16 unit, as Windows maps name characters one unit at a time; simple folding
// keeps a BMP letter within the BMP.
[[nodiscard]] char16_t Fold(char16_t c) {
  return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

// Windows sorts names by their upper-case forms ("AB" before "A_B"); the folded unit breaks the
// rare ties, so that names sort equal exactly when they fold equal.
[[nodiscard]] bool UnitLess(char16_t x, char16_t y) {
  const char16_t fx = Fold(x);
  const char16_t fy = Fold(y);
  const auto ux = static_cast<char16_t>(u_toupper(fx));
  const auto uy = static_cast<char16_t>(u_toupper(fy));
  return ux != uy ? ux < uy : fx < fy;
}

}  // namespace

WideText FoldCase(WideView name) {
  WideText folded(name);
  for (char16_t& c : folded) c = Fold(c);
  return folded;
}

bool EqualsIgnoreCase(WideView a, WideView b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

int CompareIgnoreCase(WideView a, WideView b) {
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), UnitLess)) return -1;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), UnitLess)) return 1;
  return 0;
}

// Simple case folding is the same in every locale but the Turkic ones, where a dotted and a
// dotless i differ; a path compared as a name is better served by the common folding.
std::string CaseKeyInUserLocale(WideView name) {
  const WideText folded = FoldCase(name);
  return std::string(reinterpret_cast<const char*>(folded.data()),
                     folded.size() * sizeof(char16_t));
}

}  // namespace tovrel
