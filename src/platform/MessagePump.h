#pragma once

namespace tovrel {

// The calling thread's window messages, dispatched during long scans so that the installer's
// windows keep responding.
class MessagePump {
 public:
  virtual ~MessagePump() = default;

  // Takes every message waiting in the thread's queue, translates and dispatches it, until none
  // is waiting; a quit message is taken, not dispatched, and kept for RepostQuit. Nothing to do
  // where there is no message queue.
  virtual void DispatchPending() const = 0;

  // Posts again, with its exit code, a quit message that DispatchPending took since the last
  // call, so that the host's own loop still ends; nothing when none was taken.
  virtual void RepostQuit() const noexcept = 0;
};

// Gives a scan's pump back the quit message it took, when the scan ends by any path.
class KeptQuitMessage {
 public:
  explicit KeptQuitMessage(const MessagePump& pump) : pump_(pump) {}
  KeptQuitMessage(const KeptQuitMessage&) = delete;
  KeptQuitMessage& operator=(const KeptQuitMessage&) = delete;
  ~KeptQuitMessage() { pump_.RepostQuit(); }

 private:
  const MessagePump& pump_;
};

}  // namespace tovrel
