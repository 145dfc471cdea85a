// Feeds arbitrary profile files to the profile reader. The input is a section, a NUL byte, a key,
// a NUL byte and the file's bytes.
#include <cstdint>
#include <string_view>

#include "FuzzFields.h"
#include "platform/Platform.h"
#include "platform/portable/machine/ProfileText.h"
#include "text/Utf8.h"

using tovrel::fuzz::NextField;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const tovrel::WideText section = tovrel::FromUtf8(NextField(input));
  const tovrel::WideText key = tovrel::FromUtf8(NextField(input));
  const tovrel::WideText text = tovrel::portable::DecodeProfileFile(input, *platform.code_page);
  static_cast<void>(tovrel::portable::FindProfileValue(text, section, key));
  return 0;
}
