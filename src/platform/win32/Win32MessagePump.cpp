#include "platform/win32/Win32MessagePump.h"

#include <windows.h>

namespace tovrel::win32 {

void Win32MessagePump::DispatchPending() const {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // The quit message belongs to the host's own loop; taking it here ends its dispatch.
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tovrel::win32
