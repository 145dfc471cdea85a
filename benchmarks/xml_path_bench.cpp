// The node-path search and a settings-file change, each against a yardstick measured beside it in
// the same iterations; the "ratio" counter is the first time over the second.
//   GetLastOfManySiblings: XMLGetNode r.b with <b> after 100,000 siblings of <a>'s children,
//     against the same file with <b> first (goal: at most 1.5).
//   AddAgainstRead: XMLAddNode r.NEW.KEY v on that file, against XMLGetNode r.b on it (goal: at
//     most 2).
//   AddAgainstBareLibxml2/<bytes>: DoXMLAddNode r.NEW.KEY v on a settings file of 100 KiB and
//     5 MiB, against libxml2 alone parsing, adding and saving the same (goal: at most 1.5). Its
//     check that the new bytes parse again is measured apart as "readback_ms": libxml2 parsing
//     the saved file without building a tree, the work that check does.
//   LockAgainstAdd/<bytes>: taking and dropping the file's change lock, which every DoXMLAddNode
//     holds from its load to its save, against that whole DoXMLAddNode on a settings file of
//     100 KiB and 5 MiB (the lock's share of an add).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "Tovrel.h"
#include "platform/Platform.h"
#include "support/BareXmlAdd.h"
#include "support/BenchFiles.h"
#include "xmlsettings/XmlValues.h"

namespace {

using tovrel::bench::TempFolder;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kSiblings = 100'000;

// Runs the call and adds the seconds it took.
template <typename Call>
void Timed(double& seconds, Call&& call) {
  const auto start = Clock::now();
  call();
  seconds += std::chrono::duration<double>(Clock::now() - start).count();
}

void SetRatio(benchmark::State& state, double measured, double yardstick) {
  const double iterations = static_cast<double>(state.iterations());
  state.counters["measured_ms"] = measured * 1000 / iterations;
  state.counters["yardstick_ms"] = yardstick * 1000 / iterations;
  state.counters["ratio"] = yardstick > 0 ? measured / yardstick : 0;
}

void GetLastOfManySiblings(benchmark::State& state) {
  const TempFolder folder;
  const std::string last =
      folder.Write("last.xml", tovrel::bench::SiblingsDocument(kSiblings, false)).string();
  const std::string first =
      folder.Write("first.xml", tovrel::bench::SiblingsDocument(kSiblings, true)).string();
  double measured = 0;
  double yardstick = 0;
  for (auto _ : state) {
    std::string found;
    Timed(measured, [&] { found = XMLGetNode(last.c_str(), "r.b"); });
    Timed(yardstick, [&] { found += XMLGetNode(first.c_str(), "r.b"); });
    if (found != "okok") state.SkipWithError("r.b was not read");
  }
  SetRatio(state, measured, yardstick);
}

void AddAgainstRead(benchmark::State& state) {
  const TempFolder folder;
  const std::string document = tovrel::bench::SiblingsDocument(kSiblings, false);
  const std::string file = folder.Write("settings.xml", document).string();
  double measured = 0;
  double yardstick = 0;
  for (auto _ : state) {
    folder.Write("settings.xml", document);
    Timed(yardstick, [&] { benchmark::DoNotOptimize(XMLGetNode(file.c_str(), "r.b")); });
    std::int32_t added = 0;
    Timed(measured, [&] { added = XMLAddNode(file.c_str(), "r.NEW.KEY", "v"); });
    if (added != 1) state.SkipWithError("r.NEW.KEY was not added");
  }
  SetRatio(state, measured, yardstick);
}

// A settings file of the benchmark's size in a folder of its own, with the platform that changes
// it through the library.
struct SettingsFileAtSize {
  explicit SettingsFileAtSize(const benchmark::State& state)
      : document(tovrel::bench::SettingsDocument(static_cast<std::size_t>(state.range(0)))),
        file(folder.path() / "settings.xml"),
        wide_file(platform.code_page->ToWide(file.string())) {}

  void Reset() const { folder.Write("settings.xml", document); }

  const TempFolder folder;
  const std::string document;
  const std::filesystem::path file;
  const tovrel::Platform platform = tovrel::MakePlatform();
  const tovrel::SettingsServices services{*platform.xml, *platform.files};
  const tovrel::WideText wide_file;
};

void AddAgainstBareLibxml2(benchmark::State& state) {
  const SettingsFileAtSize settings(state);
  double measured = 0;
  double yardstick = 0;
  double read_back = 0;
  for (auto _ : state) {
    settings.Reset();
    bool added = false;
    Timed(yardstick, [&] { added = tovrel::bench::BareXmlAdd(settings.file.c_str()); });
    settings.Reset();
    Timed(measured, [&] {
      added =
          tovrel::DoXMLAddNode(settings.services, settings.wide_file, u"r.NEW.KEY", u"v") == 1 &&
          added;
    });
    Timed(read_back, [&] { added = tovrel::bench::BareReadBack(settings.file.c_str()) && added; });
    if (!added) state.SkipWithError("r.NEW.KEY was not added");
  }
  SetRatio(state, measured, yardstick);
  state.counters["readback_ms"] = read_back * 1000 / static_cast<double>(state.iterations());
}

void LockAgainstAdd(benchmark::State& state) {
  const SettingsFileAtSize settings(state);
  double measured = 0;
  double yardstick = 0;
  for (auto _ : state) {
    settings.Reset();
    bool done = false;
    Timed(yardstick, [&] {
      done = tovrel::DoXMLAddNode(settings.services, settings.wide_file, u"r.NEW.KEY", u"v") == 1;
    });
    Timed(measured, [&] {
      done = settings.platform.files->LockForChange(settings.wide_file, tovrel::kFileChangeWait) !=
                 nullptr &&
             done;
    });
    if (!done) state.SkipWithError("the lock or r.NEW.KEY was refused");
  }
  SetRatio(state, measured, yardstick);
}

BENCHMARK(GetLastOfManySiblings)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(AddAgainstRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(AddAgainstBareLibxml2)
    ->Arg(100 << 10)
    ->Arg(5 << 20)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

BENCHMARK(LockAgainstAdd)->Arg(100 << 10)->Arg(5 << 20)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
