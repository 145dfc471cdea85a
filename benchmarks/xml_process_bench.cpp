// "tovrel xml-add FILE r.NEW.KEY v" as a process, against bare_xml_add (libxml2 alone doing the
// same) as a process, run by turns in the same iterations.
//   XmlAddProcess: on a settings file of 100 KiB, wall time; "ratio" is the tool's time over the
//     bare program's (goal: at most 1.2).
//   XmlAddPeakMemory: on a settings file of 5 MiB, the peak resident memory of each process;
//     "extra_MiB" is what the tool needs beyond the bare program (goal: at most 3).
#include <benchmark/benchmark.h>

#include <string>

#include "support/BenchFiles.h"

namespace {

using tovrel::bench::ProcessRun;
using tovrel::bench::RunProcess;
using tovrel::bench::TempFolder;

struct Runs {
  ProcessRun tool;
  ProcessRun bare;
};

// One run of each program on a fresh copy of the document.
Runs RunBoth(const TempFolder& folder, const std::string& document) {
  const std::string file = folder.Write("settings.xml", document).string();
  Runs runs;
  runs.tool = RunProcess({TOVREL_TOOL, "xml-add", file, "r.NEW.KEY", "v"});
  folder.Write("settings.xml", document);
  runs.bare = RunProcess({TOVREL_BARE_XML_ADD, file});
  return runs;
}

void XmlAddProcess(benchmark::State& state) {
  const TempFolder folder;
  const std::string document = tovrel::bench::SettingsDocument(100 << 10);
  double tool = 0;
  double bare = 0;
  for (auto _ : state) {
    const Runs runs = RunBoth(folder, document);
    if (!runs.tool.succeeded || !runs.bare.succeeded) state.SkipWithError("a program failed");
    tool += runs.tool.seconds;
    bare += runs.bare.seconds;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["tool_ms"] = tool * 1000 / iterations;
  state.counters["bare_ms"] = bare * 1000 / iterations;
  state.counters["ratio"] = bare > 0 ? tool / bare : 0;
}

void XmlAddPeakMemory(benchmark::State& state) {
  const TempFolder folder;
  const std::string document = tovrel::bench::SettingsDocument(5 << 20);
  std::size_t tool = 0;
  std::size_t bare = 0;
  for (auto _ : state) {
    const Runs runs = RunBoth(folder, document);
    if (!runs.tool.succeeded || !runs.bare.succeeded) state.SkipWithError("a program failed");
    tool = std::max(tool, runs.tool.peak_bytes);
    bare = std::max(bare, runs.bare.peak_bytes);
  }
  constexpr double kMiB = 1 << 20;
  state.counters["tool_MiB"] = static_cast<double>(tool) / kMiB;
  state.counters["bare_MiB"] = static_cast<double>(bare) / kMiB;
  state.counters["extra_MiB"] = (static_cast<double>(tool) - static_cast<double>(bare)) / kMiB;
}

BENCHMARK(XmlAddProcess)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(XmlAddPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
