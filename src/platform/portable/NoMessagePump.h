#pragma once

#include "platform/MessagePump.h"

namespace tovrel::portable {

// There is no window message queue to serve on Linux.
class NoMessagePump final : public MessagePump {
 public:
  void DispatchPending() const override {}
  void RepostQuit() const noexcept override {}
};

}  // namespace tovrel::portable
