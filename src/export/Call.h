#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "detect/ExplanationRecorder.h"
#include "export/CallListener.h"
#include "reasons/CallReport.h"

namespace tovrel {

// One call of an exported function, as its listener will hear of it. With no listener, every
// member does nothing and nothing is formatted: a reason is given as a function that is run only
// when someone listens.
class Call {
 public:
  explicit Call(WideView name) : listener_(CallListenerNow()) {
    if (listener_) report_.name = name;
  }

  [[nodiscard]] bool heard() const { return listener_ != nullptr; }

  // The arguments, in order: texts are quoted, flags shown as the number passed.
  template <typename... Argument>
  void Takes(const Argument&... arguments) {
    if (heard()) (report_.arguments.push_back(ArgumentText(arguments)), ...);
  }

  // Adds the reasons that `why` gives.
  template <typename Why>
  void Because(Why&& why) {
    if (!heard()) return;
    for (Reason& reason : why()) report_.reasons.push_back(std::move(reason));
  }

  // The recorder a lookup should tell what it considers; null when nobody listens.
  [[nodiscard]] ExplanationRecorder* recorder() { return heard() ? &recorder_ : nullptr; }

  // The call ended in an exception, which the boundary turns into the neutral answer.
  void Failed(const std::exception& failure);

  // Tells the listener the answer, shown as an argument is, with what was gathered.
  void Answered(WideText answer);

  static WideText ArgumentText(WideView text);
  static WideText ArgumentText(std::uint32_t number);

 private:
  CallListener* listener_;
  CallReport report_;
  ExplanationRecorder recorder_;
};

}  // namespace tovrel
