#pragma once

#include "platform/Crypto.h"

namespace tovrel::portable {

// SHA-1 and AES from OpenSSL's libcrypto, which is loaded by the first of them (LibCrypto.h).
class OpenSslCrypto final : public Crypto {
 public:
  [[nodiscard]] Sha1Digest Sha1(std::string_view bytes) const override;
  [[nodiscard]] std::unique_ptr<AesBlockCipher> MakeAes(std::string_view key) const override;
};

}  // namespace tovrel::portable
