#include "platform/win32/CngCrypto.h"

#include <windows.h>

#include <bcrypt.h>

#include <string>

#include "platform/win32/UniqueAny.h"

namespace tovrel::win32 {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) {
  BCryptCloseAlgorithmProvider(algorithm, 0);
}
using UniqueAlgorithm = UniqueAny<BCRYPT_ALG_HANDLE, CloseAlgorithm>;
using UniqueKey = UniqueAny<BCRYPT_KEY_HANDLE, ::BCryptDestroyKey>;
using UniqueHash = UniqueAny<BCRYPT_HASH_HANDLE, ::BCryptDestroyHash>;

void Check(NTSTATUS status, const char* what) {
  if (!BCRYPT_SUCCESS(status)) throw CryptoError(what);
}

UCHAR* Bytes(const void* data) {
  // CNG takes its inputs through non-const pointers but does not write them.
  return static_cast<UCHAR*>(const_cast<void*>(data));
}

UniqueAlgorithm OpenAlgorithm(const wchar_t* name) {
  UniqueAlgorithm algorithm;
  Check(BCryptOpenAlgorithmProvider(algorithm.put(), name, nullptr, 0), "no such CNG algorithm");
  return algorithm;
}

class CngAes final : public AesBlockCipher {
 public:
  explicit CngAes(std::string_view key) : algorithm_(OpenAlgorithm(BCRYPT_AES_ALGORITHM)) {
    if (key.size() != 16 && key.size() != 24 && key.size() != 32) {
      throw CryptoError("AES key of " + std::to_string(key.size()) + " bytes");
    }
    // ECB on one block at a time is the bare block cipher.
    Check(BCryptSetProperty(algorithm_.get(), BCRYPT_CHAINING_MODE, Bytes(BCRYPT_CHAIN_MODE_ECB),
                            sizeof(BCRYPT_CHAIN_MODE_ECB), 0),
          "AES ECB mode refused");
    Check(BCryptGenerateSymmetricKey(algorithm_.get(), key_.put(), nullptr, 0, Bytes(key.data()),
                                     static_cast<ULONG>(key.size()), 0),
          "AES key refused");
  }

  [[nodiscard]] AesBlock EncryptBlock(const AesBlock& block) const override {
    AesBlock out{};
    ULONG written = 0;
    Check(BCryptEncrypt(key_.get(), Bytes(block.data()), static_cast<ULONG>(block.size()), nullptr,
                        nullptr, 0, out.data(), static_cast<ULONG>(out.size()), &written, 0),
          "AES encryption failed");
    return out;
  }

  [[nodiscard]] AesBlock DecryptBlock(const AesBlock& block) const override {
    AesBlock out{};
    ULONG written = 0;
    Check(BCryptDecrypt(key_.get(), Bytes(block.data()), static_cast<ULONG>(block.size()), nullptr,
                        nullptr, 0, out.data(), static_cast<ULONG>(out.size()), &written, 0),
          "AES decryption failed");
    return out;
  }

 private:
  // The key is destroyed before the algorithm it belongs to.
  UniqueAlgorithm algorithm_;
  UniqueKey key_;
};

}  // namespace

Sha1Digest CngCrypto::Sha1(std::string_view bytes) const {
  const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_SHA1_ALGORITHM);
  UniqueHash hash;
  Check(BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0), "SHA-1 refused");
  Check(BCryptHashData(hash.get(), Bytes(bytes.data()), static_cast<ULONG>(bytes.size()), 0),
        "SHA-1 failed");
  Sha1Digest digest{};
  Check(BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0),
        "SHA-1 failed");
  return digest;
}

std::unique_ptr<AesBlockCipher> CngCrypto::MakeAes(std::string_view key) const {
  return std::make_unique<CngAes>(key);
}

}  // namespace tovrel::win32
