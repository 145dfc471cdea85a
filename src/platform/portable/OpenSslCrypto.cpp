#include "platform/portable/OpenSslCrypto.h"

#include <openssl/evp.h>

#include <string>

namespace tovrel::portable {
namespace {

struct CipherContextDeleter {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using UniqueCipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

struct DigestContextDeleter {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using UniqueDigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextDeleter>;

const EVP_CIPHER* EcbCipher(std::size_t key_size) {
  switch (key_size) {
    case 16:
      return EVP_aes_128_ecb();
    case 24:
      return EVP_aes_192_ecb();
    case 32:
      return EVP_aes_256_ecb();
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
    const UniqueCipherContext context(EVP_CIPHER_CTX_new());
    AesBlock out{};
    int length = 0;
    if (!context ||
        EVP_CipherInit_ex(context.get(), cipher_, nullptr,
                          reinterpret_cast<const unsigned char*>(key_.data()), nullptr,
                          encrypt) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_CipherUpdate(context.get(), out.data(), &length, block.data(),
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
  const UniqueDigestContext context(EVP_MD_CTX_new());
  Sha1Digest digest{};
  unsigned length = 0;
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha1(), nullptr) != 1 ||
      EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
      EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1 || length != digest.size()) {
    throw CryptoError("SHA-1 failed");
  }
  return digest;
}

std::unique_ptr<AesBlockCipher> OpenSslCrypto::MakeAes(std::string_view key) const {
  return std::make_unique<OpenSslAes>(key);
}

}  // namespace tovrel::portable
