#include "detect/InstallationScan.h"

namespace tovrel {

bool IsAbsoluteWindowsPath(WideView path) {
  if (path.starts_with(u"\\\\")) return true;
  if (path.size() < 3 || path[1] != u':' || path[2] != u'\\') return false;
  const char16_t drive = path[0];
  return (drive >= u'A' && drive <= u'Z') || (drive >= u'a' && drive <= u'z');
}

WideText JoinPath(WideView directory, WideView name) {
  WideText path(directory);
  if (!path.ends_with(u'\\')) path += u'\\';
  path += name;
  return path;
}

}  // namespace tovrel
