// Feeds arbitrary payloads and passphrases to the profile files' decipher routine. The input is
// a passphrase, a NUL byte and the payload.
#include <cstdint>
#include <string_view>

#include "config/ProtectedText.h"
#include "platform/Platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\0');
  const std::string_view passphrase = input.substr(0, end);
  const std::string_view payload = end == std::string_view::npos ? input : input.substr(end + 1);
  static_cast<void>(tovrel::DecryptRc4Text(*platform.crypto, payload, passphrase));
  static_cast<void>(tovrel::DecryptRc4Text(*platform.crypto, payload, tovrel::kProfilePassphrase));
  return 0;
}
