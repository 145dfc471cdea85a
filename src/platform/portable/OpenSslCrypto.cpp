#include "platform/portable/OpenSslCrypto.h"

#include <string>

#include "platform/portable/LibCrypto.h"

namespace tovrel::portable {
namespace {

struct CipherContextDeleter {
  void operator()(EVP_CIPHER_CTX* context) const { TheLibCrypto().cipher_context_free(context); }
};
using UniqueCipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

struct DigestContextDeleter {
  void operator()(EVP_MD_CTX* context) const { TheLibCrypto().digest_context_free(context); }
};
using UniqueDigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextDeleter>;

const EVP_CIPHER* EcbCipher(std::size_t key_size) {
  const LibCrypto& crypto = TheLibCrypto();
  switch (key_size) {
    case 16:
      return crypto.aes_128_ecb();
    case 24:
      return crypto.aes_192_ecb();
    case 32:
      return crypto.aes_256_ecb();
    default:
      throw CryptoError("AES key of " + std::to_string(key_size) + " bytes");
  }
}

class OpenSslAes final : public AesBlockCipher {
 public:
  explicit OpenSslAes(std::string_view key) : cipher_(EcbCipher(key.size())), key_(key) {}

  [[nodiscard]] AesBlock EncryptBlock(const AesBlock& block) const override {
    return Run(block, 1);
  }
  [[nodiscard]] AesBlock DecryptBlock(const AesBlock& block) const override {
    return Run(block, 0);
  }

 private:
  // One block in ECB mode is the bare block cipher.
  AesBlock Run(const AesBlock& block, int encrypt) const {
    const LibCrypto& crypto = TheLibCrypto();
    const UniqueCipherContext context(crypto.cipher_context_new());
    AesBlock out{};
    int length = 0;
    if (!context ||
        crypto.cipher_init(context.get(), cipher_, nullptr,
                           reinterpret_cast<const unsigned char*>(key_.data()), nullptr,
                           encrypt) != 1 ||
        crypto.cipher_context_set_padding(context.get(), 0) != 1 ||
        crypto.cipher_update(context.get(), out.data(), &length, block.data(),
                             static_cast<int>(block.size())) != 1 ||
        length != static_cast<int>(out.size())) {
      throw CryptoError("AES block operation failed");
    }
    return out;
  }

  const EVP_CIPHER* cipher_;
  std::string key_;
};

}  // namespace

Sha1Digest OpenSslCrypto::Sha1(std::string_view bytes) const {
  const LibCrypto& crypto = TheLibCrypto();
  const UniqueDigestContext context(crypto.digest_context_new());
  Sha1Digest digest{};
  unsigned length = 0;
  if (!context || crypto.digest_init(context.get(), crypto.sha1(), nullptr) != 1 ||
      crypto.digest_update(context.get(), bytes.data(), bytes.size()) != 1 ||
      crypto.digest_final(context.get(), digest.data(), &length) != 1 || length != digest.size()) {
    throw CryptoError("SHA-1 failed");
  }
  return digest;
}

std::unique_ptr<AesBlockCipher> OpenSslCrypto::MakeAes(std::string_view key) const {
  return std::make_unique<OpenSslAes>(key);
}

}  // namespace tovrel::portable
