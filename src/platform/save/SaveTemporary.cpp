#include "platform/save/SaveTemporary.h"

#include <cstdint>

namespace tovrel {

WideText TemporaryNamePrefix(WideView file_name) {
  // FNV-1a: a stable spread of the name; two names sharing digits only means that each save
  // also clears the other's leftovers. ASCII letters count without case, so that the usual
  // spellings of one Windows file name find each other's leftovers.
  std::uint32_t hash = 2166136261u;
  for (char16_t c : file_name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 16777619u;
  }
  WideText prefix = u"~tovrel-";
  for (int shift = 28; shift >= 0; shift -= 4) {
    prefix.push_back(u"0123456789abcdef"[(hash >> shift) & 0xF]);
  }
  prefix.push_back(u'-');
  return prefix;
}

}  // namespace tovrel
