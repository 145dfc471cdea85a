#include "platform/win32/Win32MessagePump.h"

#include <windows.h>

namespace tovrel::win32 {

void Win32MessagePump::DispatchPending() const {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // The quit message belongs to the host's own loop: it is kept and posted again when the
    // scan ends, not dispatched here. Posted at once, it would come back on the next peek.
    if (message.message == WM_QUIT) {
      quit_exit_code_ = static_cast<int>(message.wParam);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32MessagePump::RepostQuit() const noexcept {
  if (!quit_exit_code_) return;
  PostQuitMessage(*quit_exit_code_);
  quit_exit_code_.reset();
}

}  // namespace tovrel::win32
