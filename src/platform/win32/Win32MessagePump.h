#pragma once

#include <optional>

#include "platform/MessagePump.h"

namespace tovrel::win32 {

// PeekMessageW with removal, TranslateMessage and DispatchMessageW on the calling thread's queue.
class Win32MessagePump final : public MessagePump {
 public:
  void DispatchPending() const override;
  void RepostQuit() const noexcept override;

 private:
  // The exit code of a quit message taken and not yet posted again.
  mutable std::optional<int> quit_exit_code_;
};

}  // namespace tovrel::win32
