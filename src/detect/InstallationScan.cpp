#include "detect/InstallationScan.h"

#include "fileutil/VersionText.h"

namespace tovrel {
namespace {

// Windows takes "/" for "\" in a path it opens.
[[nodiscard]] bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}

}  // namespace

bool IsAbsoluteWindowsPath(WideView path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
  if (path.size() < 3 || path[1] != u':' || !IsSeparator(path[2])) return false;
  const char16_t drive = path[0];
  return (drive >= u'A' && drive <= u'Z') || (drive >= u'a' && drive <= u'z');
}

WideText JoinPath(WideView directory, WideView name) {
  WideText path(directory);
  if (path.empty() || !IsSeparator(path.back())) path += u'\\';
  path += name;
  return path;
}

WideText ListedVersion(WideView file_version) {
  try {
    return FormatVersionText(file_version, true);
  } catch (const EConversionError&) {
    return {};
  }
}

}  // namespace tovrel
