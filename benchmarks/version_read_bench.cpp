// Reading the "FileVersion" of a 64 MiB executable against reading it from a 64 KiB one, built
// from the same .rc file: only the headers and the resource are read, so the two should take
// about the same time.
#include <benchmark/benchmark.h>

#include "fileutil/VersionInfo.h"
#include "platform/Platform.h"

namespace {

void ReadFileVersion(benchmark::State& state, const char16_t* file) {
  const tovrel::Platform platform = tovrel::MakePlatform();
  for (auto _ : state) {
    tovrel::WideText version = tovrel::GetVersionInfoItem(*platform.versions, file, u"FileVersion");
    if (version != u"9.30.1.71") state.SkipWithError("the fixture's version was not read");
    benchmark::DoNotOptimize(version);
  }
}

BENCHMARK_CAPTURE(ReadFileVersion, executable_64KiB, TOVREL_SMALL_EXECUTABLE);
BENCHMARK_CAPTURE(ReadFileVersion, executable_64MiB, TOVREL_LARGE_EXECUTABLE);

}  // namespace
