#include "config/BracketRule.h"

namespace tovrel {
namespace {

bool EnclosedIn(WideView text, char16_t first, char16_t last) {
  // A single character is never enclosed: its first and last character are the same one.
  return text.size() >= 2 && text.front() == first && text.back() == last;
}

}  // namespace

StoredText ApplyBracketRule(WideView stored) {
  if (EnclosedIn(stored, u'(', u')')) return {true, WideText(stored.substr(1, stored.size() - 2))};
  if (EnclosedIn(stored, u'<', u'>')) return {false, WideText(stored.substr(1, stored.size() - 2))};
  return {false, WideText(stored)};
}

}  // namespace tovrel
