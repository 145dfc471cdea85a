// The write promises of tests/conformance/WritePropertyTest.cpp, for as long as the fuzzer runs:
// the input's bytes make the choices of the random settings file, node path and value (each byte
// taken modulo the choice's bound, 0 once they run out). A broken promise aborts with the case.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "support/WriteProperty.h"
#include "text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("tovrel-write-property-" + std::to_string(::getpid()) + ".xml");
  std::size_t next = 0;
  const tovrel::test::RandomWrite write(
      [&](int bound) { return next < size ? data[next++] % bound : 0; });
  bool written = false;
  const std::string broken = tovrel::test::BrokenWritePromise(
      platform, file, tovrel::FromUtf8(file.string()), write, written);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n%s | %s | %s\n", broken.c_str(), write.document.c_str(),
                 write.path.c_str(), write.value.c_str());
    std::abort();
  }
  return 0;
}
