#include <atomic>

#include "Tovrel.h"
#include "export/CallListener.h"

namespace tovrel {
namespace {

// Hands each line of a call's report to the host's function.
class HostLog final : public CallListener {
 public:
  void Set(TovrelLogProc proc) { proc_.store(proc); }

  void Heard(const CallReport& report) noexcept override {
    const TovrelLogProc proc = proc_.load();
    if (!proc) return;
    try {
      for (const WideText& line : LogLines(report)) {
        proc(reinterpret_cast<const TovrelWideChar*>(line.c_str()));
      }
    } catch (...) {
      // A line that cannot be formatted is not heard; the call's answer stands.
    }
  }

 private:
  std::atomic<TovrelLogProc> proc_{nullptr};
};

HostLog& TheHostLog() {
  static HostLog log;
  return log;
}

}  // namespace
}  // namespace tovrel

extern "C" void TOVREL_CALL TovrelSetLog(TovrelLogProc Proc) {
  tovrel::HostLog& log = tovrel::TheHostLog();
  log.Set(Proc);
  tovrel::ListenToCalls(Proc ? &log : nullptr);
}
