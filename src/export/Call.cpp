#include "export/Call.h"

#include "reasons/LookupReasons.h"
#include "text/Utf8.h"

namespace tovrel {

void Call::Failed(const std::exception& failure) {
  Because([&] {
    return Reasons{{ReasonKind::kNegative, u"the call failed: " + FromUtf8(failure.what())}};
  });
}

void Call::Answered(WideText answer) {
  if (!heard()) return;
  report_.answer = std::move(answer);
  report_.explanation = ExplanationLines(recorder_.Take());
  Tell(*listener_, report_);
}

WideText Call::ArgumentText(WideView text) {
  return Quoted(text);
}

WideText Call::ArgumentText(std::uint32_t number) {
  return WidenAscii(std::to_string(number));
}

}  // namespace tovrel
