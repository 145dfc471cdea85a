// What a registered log costs a call, against the same call measured beside it in the same
// iterations with no log; the "ratio" counter is the first time over the second.
//   GetNodeWithLog: XMLGetNodeW of a node of a settings file of 2,000 elements with a log that
//     hears every line, against the call with none (goal: at most 1.02, nothing measurable).
//   GetNodeWithoutLog: the same call with no log ever registered against itself, so that the
//     ratio shows the noise of the measurement that the first is read against.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "Tovrel.h"
#include "support/BenchFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

std::size_t g_heard = 0;

void TOVREL_CALL Hear(const TovrelWideChar* line) {
  g_heard += line[0] != 0 ? 1 : 0;
}

template <typename Call>
void Timed(double& seconds, Call&& call) {
  const auto start = Clock::now();
  call();
  seconds += std::chrono::duration<double>(Clock::now() - start).count();
}

std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

void Compare(benchmark::State& state, bool with_log) {
  const tovrel::bench::TempFolder folder;
  const std::u16string file =
      Wide(folder.Write("s.xml", tovrel::bench::SiblingsDocument(2'000, true)).string());
  const auto* name = reinterpret_cast<const TovrelWideChar*>(file.c_str());
  const auto* path = reinterpret_cast<const TovrelWideChar*>(u"r.b");
  double measured = 0;
  double yardstick = 0;
  for (auto _ : state) {
    if (with_log) TovrelSetLog(&Hear);
    Timed(measured, [&] { benchmark::DoNotOptimize(XMLGetNodeW(name, path)); });
    TovrelSetLog(nullptr);
    Timed(yardstick, [&] { benchmark::DoNotOptimize(XMLGetNodeW(name, path)); });
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["measured_us"] = measured * 1e6 / iterations;
  state.counters["yardstick_us"] = yardstick * 1e6 / iterations;
  state.counters["ratio"] = yardstick > 0 ? measured / yardstick : 0;
  if (with_log && g_heard == 0) state.SkipWithError("the log heard nothing");
}

void GetNodeWithLog(benchmark::State& state) {
  Compare(state, true);
}
void GetNodeWithoutLog(benchmark::State& state) {
  Compare(state, false);
}

BENCHMARK(GetNodeWithLog)->Unit(benchmark::kMicrosecond);
BENCHMARK(GetNodeWithoutLog)->Unit(benchmark::kMicrosecond);

}  // namespace
