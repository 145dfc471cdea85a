// Listing every installation of the three products, as the report does, on sample machines with
// 250 to 2,000 registered installations spread over the sixteen editions. Each installation costs
// a few registry reads, file tests and one version read, so the time should grow linearly.
#include <benchmark/benchmark.h>

#include <array>

#include "detect/TMSI.h"
#include "platform/Platform.h"
#include "support/InstallationsMachine.h"

namespace {

void ListEveryInstallation(benchmark::State& state) {
  const auto installations = static_cast<int>(state.range(0));
  const tovrel::bench::InstallationsMachine machine(installations);
  const tovrel::Platform platform = tovrel::MakePlatform();
  const tovrel::TMSI msi(tovrel::DetectionSources{
      *platform.installer,
      tovrel::ConfigSources{*platform.code_page, *platform.profiles, *platform.registry,
                            *platform.crypto, tovrel::WideView()},
      *platform.files, *platform.versions, *platform.messages});
  for (auto _ : state) {
    std::size_t listed = 0;
    for (const auto& editions : {std::array<std::uint8_t, 7>{6, 5, 4, 3, 2, 1, 0},
                                 std::array<std::uint8_t, 7>{13, 12, 11, 10, 9, 8, 7}}) {
      tovrel::InstalledAppsList list;
      for (const std::uint8_t edition : editions) msi.ListInstallations(edition, list);
      listed += list.entries().size();
    }
    tovrel::InstalledAppsList ferrolin;
    msi.ListInstallations(tovrel::peFR110, ferrolin);
    msi.ListInstallations(tovrel::peFR101, ferrolin);
    listed += ferrolin.entries().size();
    if (listed != static_cast<std::size_t>(installations)) {
      state.SkipWithError("not every installation was listed");
    }
  }
  state.SetComplexityN(installations);
}

BENCHMARK(ListEveryInstallation)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
