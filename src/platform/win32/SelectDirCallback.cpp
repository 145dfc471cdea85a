#include "platform/win32/SelectDirCallback.h"

#include <shlobj.h>

#include "platform/win32/WideChars.h"

namespace tovrel::win32 {

int CALLBACK TSelectDirCallback::Procedure(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    reinterpret_cast<const TSelectDirCallback*>(data)->Initialize(dialog);
  }
  return 0;
}

void TSelectDirCallback::Initialize(HWND dialog) const {
  // A library has no main window to follow, and no window stands for the primary monitor.
  const HMONITOR monitor = MonitorFromWindow(nullptr, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT bounds{};
  if (GetMonitorInfoW(monitor, &info) && GetWindowRect(dialog, &bounds)) {
    const LONG monitor_width = info.rcMonitor.right - info.rcMonitor.left;
    const LONG monitor_height = info.rcMonitor.bottom - info.rcMonitor.top;
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    SetWindowPos(dialog, nullptr, (monitor_width - width) / 2, (monitor_height - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  }
  if (!initial_directory_.empty()) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                 reinterpret_cast<LPARAM>(AsWide(initial_directory_)));
  }
}

}  // namespace tovrel::win32
