#pragma once

#include "platform/Crypto.h"

namespace tovrel::win32 {

// SHA-1 and AES from CNG (bcrypt.dll).
class CngCrypto final : public Crypto {
 public:
  [[nodiscard]] Sha1Digest Sha1(std::string_view bytes) const override;
  [[nodiscard]] std::unique_ptr<AesBlockCipher> MakeAes(std::string_view key) const override;
};

}  // namespace tovrel::win32
