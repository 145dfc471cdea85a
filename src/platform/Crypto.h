#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>

namespace tovrel {

using Sha1Digest = std::array<std::uint8_t, 20>;
using AesBlock = std::array<std::uint8_t, 16>;

// Raised when the platform cannot provide an algorithm or refuses a key.
class CryptoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One AES key, used one block at a time; chaining modes are built on it by the caller.
class AesBlockCipher {
 public:
  virtual ~AesBlockCipher() = default;
  // The block enciphered; raises CryptoError when the platform fails.
  [[nodiscard]] virtual AesBlock EncryptBlock(const AesBlock& block) const = 0;
  // The block deciphered; raises CryptoError when the platform fails.
  [[nodiscard]] virtual AesBlock DecryptBlock(const AesBlock& block) const = 0;
};

// The published primitives the platform provides.
class Crypto {
 public:
  virtual ~Crypto() = default;

  // The digest of the bytes (the empty text has one too); raises CryptoError when the platform
  // has no SHA-1.
  [[nodiscard]] virtual Sha1Digest Sha1(std::string_view bytes) const = 0;

  // AES under a key of 16, 24 or 32 bytes; raises CryptoError for another length.
  [[nodiscard]] virtual std::unique_ptr<AesBlockCipher> MakeAes(std::string_view key) const = 0;
};

}  // namespace tovrel
