// Feeds arbitrary bytes to the PE version reader, and both the resource it finds and the raw
// bytes to the version-block queries. The version fixtures of a test build make a good corpus.
#include <cstdint>
#include <span>

#include "platform/portable/pe/ByteSource.h"
#include "platform/portable/pe/PeVersionReader.h"
#include "platform/portable/pe/VersionResourceInfo.h"

namespace {

void Query(const tovrel::portable::VersionResourceInfo& info) {
  static_cast<void>(info.FileVersion());
  for (const char16_t* path :
       {u"\\StringFileInfo\\041504E2\\FileVersion", u"\\StringFileInfo\\040904e4\\FileVersion",
        u"\\", u"\\VarFileInfo\\Translation", u"StringFileInfo\\\\000004E4"}) {
    static_cast<void>(info.QueryText(path));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (auto resource =
          tovrel::portable::ReadPeVersionResource(tovrel::portable::MemoryByteSource(bytes))) {
    Query(tovrel::portable::VersionResourceInfo(std::move(*resource)));
  }
  Query(tovrel::portable::VersionResourceInfo({bytes.begin(), bytes.end()}));
  return 0;
}
