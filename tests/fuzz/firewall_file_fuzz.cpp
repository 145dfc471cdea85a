// Feeds arbitrary firewall.txt contents and executable paths to the registration on the sample
// machine's firewall. The input is a path, a NUL byte, a name, a NUL byte and the file. Whatever
// the file holds, a registration either fails cleanly or keeps every byte of it.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzFields.h"
#include "platform/Platform.h"
#include "shell/FirewallRegistration.h"
#include "text/Utf8.h"

namespace {

using tovrel::fuzz::NextField;

const std::filesystem::path& Machine() {
  static const std::filesystem::path machine = [] {
    std::string pattern = "/tmp/tovrel-fuzz-machine-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    ::setenv("TOVREL_MACHINE", pattern.c_str(), 1);
    return std::filesystem::path(pattern);
  }();
  return machine;
}

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const tovrel::WideText path = tovrel::FromUtf8(NextField(input));
  const tovrel::WideText name = tovrel::FromUtf8(NextField(input));
  const std::filesystem::path file = Machine() / "firewall.txt";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(input.size()));

  try {
    static_cast<void>(tovrel::DoAddToFirewall(*platform.firewall, path, name, true));
  } catch (const tovrel::FirewallError&) {
    // A firewall that cannot be read or refuses the entry is an expected end.
  }
  if (!Read(file).starts_with(input)) std::abort();
  return 0;
}
