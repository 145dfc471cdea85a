// Feeds arbitrary documents and node paths to reading, adding and creating values. The input is
// a node path, a NUL byte, a value, a NUL byte and the document.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzFields.h"
#include "platform/Platform.h"
#include "platform/Utf8.h"
#include "xmlsettings/NodePath.h"
#include "xmlsettings/SettingsFile.h"
#include "xmlsettings/XmlValues.h"

namespace {

const tovrel::Platform& ThePlatform() {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  return platform;
}

using tovrel::fuzz::NextField;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const tovrel::WideText path = tovrel::FromUtf8(NextField(input));
  const tovrel::WideText value = tovrel::FromUtf8(NextField(input));
  static const std::string file = "/tmp/tovrel-fuzz-" + std::to_string(getpid()) + ".xml";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(input.size()));

  const tovrel::Platform& platform = ThePlatform();
  const tovrel::WideText wide_file = tovrel::FromUtf8(file);
  static_cast<void>(tovrel::DoXMLGetNode(*platform.xml, wide_file, path));
  static_cast<void>(tovrel::DoXMLAddNode({*platform.xml, *platform.files}, wide_file, path, value));
  static_cast<void>(tovrel::DoXMLGetNode(*platform.xml, wide_file, path));
  try {
    if (const auto document = tovrel::LoadSettingsFile(*platform.xml, wide_file)) {
      static_cast<void>(tovrel::XMLCreateNode(*document->DocumentElement(), path, value));
    }
  } catch (const tovrel::XmlDomError&) {
    // Refused names are the expected way for creation to fail.
  }
  return 0;
}
