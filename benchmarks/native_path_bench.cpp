// How a Windows path is found in the sample machine as it grows, against a path a tenth as long
// measured beside it in the same iterations; the "ratio" counter is the first time over the
// second.
//   MissingFirstComponent/<components>: C:\ + that many "d\" + s.xml, whose first folder is
//     missing, against the same with a tenth of the components (goal: a ratio of at most 10, as
//     the work grows no faster than the length, and well under a second for 20,000 components).
//   ExistingThenMissing/<components>: the same below C:\Program Files\Velmora, which exist under
//     other case, so that each of them is matched by listing its folder.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/portable/machine/NativePath.h"
#include "support/BenchFiles.h"
#include "text/Text.h"

namespace {

using Clock = std::chrono::steady_clock;

tovrel::WideText DeepPath(tovrel::WideView start, std::int64_t components) {
  tovrel::WideText path(start);
  for (std::int64_t i = 0; i < components; ++i) path += u"d\\";
  return path + u"s.xml";
}

void Resolve(benchmark::State& state, tovrel::WideView start) {
  const tovrel::bench::TempFolder machine;
  std::filesystem::create_directories(machine.path() / "drives/c/Program Files/Velmora");
  ::setenv("TOVREL_MACHINE", machine.path().c_str(), 1);
  const tovrel::WideText measured_path = DeepPath(start, state.range(0));
  const tovrel::WideText yardstick_path = DeepPath(start, state.range(0) / 10);
  double measured = 0;
  double yardstick = 0;
  for (auto _ : state) {
    auto begin = Clock::now();
    benchmark::DoNotOptimize(tovrel::portable::NativePath(yardstick_path));
    yardstick += std::chrono::duration<double>(Clock::now() - begin).count();
    begin = Clock::now();
    benchmark::DoNotOptimize(tovrel::portable::NativePath(measured_path));
    measured += std::chrono::duration<double>(Clock::now() - begin).count();
  }
  ::unsetenv("TOVREL_MACHINE");
  const double iterations = static_cast<double>(state.iterations());
  state.counters["measured_ms"] = measured * 1000 / iterations;
  state.counters["yardstick_ms"] = yardstick * 1000 / iterations;
  state.counters["ratio"] = yardstick > 0 ? measured / yardstick : 0;
}

void MissingFirstComponent(benchmark::State& state) {
  Resolve(state, u"C:\\");
}

void ExistingThenMissing(benchmark::State& state) {
  Resolve(state, u"c:\\PROGRAM FILES\\velmora\\");
}

BENCHMARK(MissingFirstComponent)->Arg(4'000)->Arg(20'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExistingThenMissing)->Arg(4'000)->Arg(20'000)->Unit(benchmark::kMillisecond);

}  // namespace
