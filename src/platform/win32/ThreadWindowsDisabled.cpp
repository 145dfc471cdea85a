#include "platform/win32/ThreadWindowsDisabled.h"

#include <new>

namespace tovrel::win32 {
namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
  auto& windows = *reinterpret_cast<std::vector<HWND>*>(context);
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  try {
    windows.push_back(window);
    return TRUE;
  } catch (const std::bad_alloc&) {
    // No exception may cross the system's callback; the windows collected so far are handled.
    return FALSE;
  }
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled() {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled_));
  for (const HWND window : disabled_) EnableWindow(window, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (const HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

}  // namespace tovrel::win32
