// Feeds arbitrary payloads, key texts and vector texts to the registry's decipher routine. The
// input is a key text, a NUL byte, a vector text, a NUL byte and the payload.
#include <cstdint>
#include <string_view>

#include "FuzzFields.h"
#include "config/ProtectedText.h"
#include "platform/Platform.h"

using tovrel::fuzz::NextField;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view key_text = NextField(input);
  const std::string_view vector_text = NextField(input);
  static_cast<void>(
      tovrel::DecryptAesText(*platform.crypto, *platform.code_page, input, key_text, vector_text));
  return 0;
}
