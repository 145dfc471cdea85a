#include "HeardCalls.h"

#include <cstdio>

#include "HostArguments.h"
#include "export/CallListener.h"

namespace tovrel::tool {
namespace {

class Hearing final : public CallListener {
 public:
  void Heard(const CallReport& report) noexcept override {
    try {
      last_ = report;
      if (!print_log_) return;
      for (const WideText& line : LogLines(report)) {
        std::fprintf(stderr, "%s\n", TerminalText(line).c_str());
      }
    } catch (...) {
      // A report that cannot be kept or printed leaves the answer as it is.
    }
  }

  bool print_log_ = false;
  CallReport last_;
};

Hearing& TheHearing() {
  static Hearing hearing;
  return hearing;
}

}  // namespace

void HearCalls(bool print_log) {
  TheHearing().print_log_ = print_log;
  ListenToCalls(&TheHearing());
}

const CallReport& LastCall() {
  return TheHearing().last_;
}

}  // namespace tovrel::tool
