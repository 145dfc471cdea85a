#pragma once

#include "reasons/CallReport.h"

namespace tovrel {

// Hears every call of an exported function, on the calling thread, before the call returns.
class CallListener {
 public:
  virtual ~CallListener() = default;
  virtual void Heard(const CallReport& report) noexcept = 0;
};

// Makes the listener the one that hears every call; null makes none hear them.
void ListenToCalls(CallListener* listener) noexcept;

// The listener of calls made now on this thread: null when none is set, and while a listener is
// being told of a call, so that a call made from inside it is not heard.
[[nodiscard]] CallListener* CallListenerNow() noexcept;

// Tells the listener of a call, marking this thread as inside it meanwhile.
void Tell(CallListener& listener, const CallReport& report) noexcept;

}  // namespace tovrel
