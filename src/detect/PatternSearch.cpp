#include "detect/PatternSearch.h"

#include <regex>
#include <string>

namespace tovrel {
namespace {

// std::regex has no char16_t flavour; every UTF-16 unit fits a wchar_t on both platforms.
std::wstring Widen(WideView text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

bool PatternFound(WideView pattern, WideView text) {
  return std::regex_search(Widen(text), std::wregex(Widen(pattern)));
}

}  // namespace tovrel
