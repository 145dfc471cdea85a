#include "LocalPath.h"

#include "HostArguments.h"

#ifndef _WIN32
#include "platform/portable/machine/NativePath.h"
#endif

namespace tovrel::tool {

std::filesystem::path LocalPath(const std::string& host_file) {
#ifdef _WIN32
  const WideText wide = HostToWide(host_file);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
  return portable::NativePath(HostToWide(host_file));
#endif
}

}  // namespace tovrel::tool
