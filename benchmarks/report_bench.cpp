// The installed-applications report on sample machines of many registered installations
// (support/InstallationsMachine.h), each run on a fresh copy of a small settings file.
//   ReportAgainstSave: "tovrel report" as a process at 2,000 installations, against
//     XMLSaveInstalledApps alone in this process; "ratio" is the first over the second (goal: at
//     most 1.5).
//   TimePerInstallation: XMLSaveInstalledApps at 20,000 installations and at 200 by turns;
//     "ratio" is the time per installation of the first over that of the second (goal: at most
//     1.3).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "Tovrel.h"
#include "support/BenchFiles.h"
#include "support/InstallationsMachine.h"

namespace {

using tovrel::bench::InstallationsMachine;
using tovrel::bench::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr const char* kSettings =
    "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n"
    "<STARTUP><LANGUAGE>PL</LANGUAGE></STARTUP>\n";

// The seconds one XMLSaveInstalledApps takes on a fresh settings file; 0 when it fails.
double TimeSave(const TempFolder& folder) {
  const std::string file = folder.Write("settings.xml", kSettings).string();
  const auto start = Clock::now();
  const std::int32_t saved = XMLSaveInstalledApps(file.c_str());
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return saved == 1 ? seconds : 0;
}

void ReportAgainstSave(benchmark::State& state) {
  const InstallationsMachine machine(2000);
  const TempFolder folder;
  double report = 0;
  double save = 0;
  for (auto _ : state) {
    const std::string file = folder.Write("report.xml", kSettings).string();
    const tovrel::bench::ProcessRun run = tovrel::bench::RunProcess({TOVREL_TOOL, "report", file});
    const double alone = TimeSave(folder);
    if (!run.succeeded || alone == 0) state.SkipWithError("the report failed");
    report += run.seconds;
    save += alone;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["report_ms"] = report * 1000 / iterations;
  state.counters["save_ms"] = save * 1000 / iterations;
  state.counters["ratio"] = save > 0 ? report / save : 0;
}

void TimePerInstallation(benchmark::State& state) {
  constexpr int kFew = 200;
  constexpr int kMany = 20'000;
  const InstallationsMachine few(kFew);
  const InstallationsMachine many(kMany);
  const TempFolder folder;
  double few_seconds = 0;
  double many_seconds = 0;
  for (auto _ : state) {
    few.Use();
    const double few_run = TimeSave(folder);
    many.Use();
    const double many_run = TimeSave(folder);
    if (few_run == 0 || many_run == 0) state.SkipWithError("the report failed");
    few_seconds += few_run;
    many_seconds += many_run;
  }
  const double iterations = static_cast<double>(state.iterations());
  const double few_each = few_seconds / iterations / kFew;
  const double many_each = many_seconds / iterations / kMany;
  state.counters["us_each_at_200"] = few_each * 1e6;
  state.counters["us_each_at_20000"] = many_each * 1e6;
  state.counters["ratio"] = few_each > 0 ? many_each / few_each : 0;
}

BENCHMARK(ReportAgainstSave)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TimePerInstallation)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
