#pragma once

#include "platform/Crypto.h"

namespace tovrel::portable {

// SHA-1 and AES from OpenSSL's libcrypto.
class OpenSslCrypto final : public Crypto {
 public:
  [[nodiscard]] Sha1Digest Sha1(std::string_view bytes) const override;
  [[nodiscard]] std::unique_ptr<AesBlockCipher> MakeAes(std::string_view key) const override;
};

}  // namespace tovrel::portable
