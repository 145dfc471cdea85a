#pragma once

namespace tovrel {

// The calling thread's window messages, dispatched during long scans so that the installer's
// windows keep responding.
class MessagePump {
 public:
  virtual ~MessagePump() = default;

  // Takes every message waiting in the thread's queue, translates and dispatches it, until none
  // is waiting; a quit message is taken and not dispatched. Nothing to do where there is no
  // message queue.
  virtual void DispatchPending() const = 0;
};

}  // namespace tovrel
