#include "platform/win32/Win32HostProcess.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideChars.h"

namespace tovrel::win32 {

WideText Win32HostProcess::ExecutablePath() const {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    // No module handle: the process's executable, not this library.
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return FromWide(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<WideText> Win32HostProcess::ShortPath(WideView path) const {
  const WideText long_path(path);
  std::vector<wchar_t> buffer(long_path.size() + 1);
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetShortPathNameW(AsWide(long_path), buffer.data(), size);
    if (length == 0) return std::nullopt;
    if (length < size) return FromWide(buffer.data(), length);
    buffer.resize(length);
  }
}

}  // namespace tovrel::win32
