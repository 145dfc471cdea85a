#include "platform/regfile/PackedGuid.h"

#include <algorithm>
#include <array>

namespace tovrel {
namespace {

// Positions in the braced form of the 32 digits in their packed order.
constexpr std::array<std::size_t, 32> kPackedOrder = {
    8,  7,  6,  5,  4,  3,  2,  1,  // first group, reversed
    13, 12, 11, 10,                 // second group, reversed
    18, 17, 16, 15,                 // third group, reversed
    21, 20, 23, 22,                 // fourth group, byte by byte
    26, 25, 28, 27, 30, 29, 32, 31, 34, 33, 36, 35};

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool IsBracedGuid(WideView guid) {
  if (guid.size() != 38 || guid.front() != u'{' || guid.back() != u'}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? guid[i] != u'-' : !IsHexDigit(guid[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<WideText> PackGuid(WideView guid) {
  if (!IsBracedGuid(guid)) return std::nullopt;
  WideText packed;
  for (std::size_t position : kPackedOrder) packed.push_back(UpperAscii(guid[position]));
  return packed;
}

std::optional<WideText> UnpackGuid(WideView packed) {
  if (packed.size() != 32 || !std::ranges::all_of(packed, IsHexDigit)) return std::nullopt;
  WideText guid = u"{________-____-____-____-____________}";
  for (std::size_t i = 0; i < kPackedOrder.size(); ++i)
    guid[kPackedOrder[i]] = UpperAscii(packed[i]);
  for (std::size_t dash : {9u, 14u, 19u, 24u}) guid[dash] = u'-';
  return guid;
}

}  // namespace tovrel
