#pragma once

#include "platform/MessagePump.h"

namespace tovrel::win32 {

// PeekMessageW with removal, TranslateMessage and DispatchMessageW on the calling thread's queue.
class Win32MessagePump final : public MessagePump {
 public:
  void DispatchPending() const override;
};

}  // namespace tovrel::win32
