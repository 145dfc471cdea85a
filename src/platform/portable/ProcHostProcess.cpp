#include "platform/portable/ProcHostProcess.h"

#include <filesystem>
#include <system_error>

#include "platform/portable/machine/NativePath.h"
#include "text/Utf8.h"

namespace tovrel::portable {

WideText ProcHostProcess::ExecutablePath() const {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? WideText() : FromUtf8(path.string());
}

std::optional<WideText> ProcHostProcess::ShortPath(WideView path) const {
  // Like GetShortPathNameW, only for a path that exists.
  std::error_code error;
  const std::string native = NativePath(path);
  if (native.empty() || !std::filesystem::exists(native, error)) return std::nullopt;
  return WideText(path);
}

}  // namespace tovrel::portable
