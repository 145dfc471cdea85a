#include "platform/portable/LibCrypto.h"

#include <dlfcn.h>
#include <openssl/opensslv.h>

#include <memory>
#include <string>

#include "platform/Crypto.h"

namespace tovrel::portable {
namespace {

struct LibraryCloser {
  void operator()(void* library) const { dlclose(library); }
};
using UniqueLibrary = std::unique_ptr<void, LibraryCloser>;

// The library of the OpenSSL these headers belong to.
constexpr const char* kLibraryName = "libcrypto.so." OPENSSL_MSTR(OPENSSL_SHLIB_VERSION);

class LoadedLibCrypto {
 public:
  LoadedLibCrypto() : library_(dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL)) {
    if (!library_) throw CryptoError(std::string(kLibraryName) + " cannot be loaded");
    Bind(functions_.cipher_context_new, "EVP_CIPHER_CTX_new");
    Bind(functions_.cipher_context_free, "EVP_CIPHER_CTX_free");
    Bind(functions_.cipher_context_set_padding, "EVP_CIPHER_CTX_set_padding");
    Bind(functions_.cipher_init, "EVP_CipherInit_ex");
    Bind(functions_.cipher_update, "EVP_CipherUpdate");
    Bind(functions_.aes_128_ecb, "EVP_aes_128_ecb");
    Bind(functions_.aes_192_ecb, "EVP_aes_192_ecb");
    Bind(functions_.aes_256_ecb, "EVP_aes_256_ecb");
    Bind(functions_.digest_context_new, "EVP_MD_CTX_new");
    Bind(functions_.digest_context_free, "EVP_MD_CTX_free");
    Bind(functions_.digest_init, "EVP_DigestInit_ex");
    Bind(functions_.digest_update, "EVP_DigestUpdate");
    Bind(functions_.digest_final, "EVP_DigestFinal_ex");
    Bind(functions_.sha1, "EVP_sha1");
  }

  [[nodiscard]] const LibCrypto& functions() const { return functions_; }

 private:
  template <typename Function>
  void Bind(Function& function, const char* name) {
    void* address = dlsym(library_.get(), name);
    if (address == nullptr) throw CryptoError(std::string(kLibraryName) + " has no " + name);
    function = reinterpret_cast<Function>(address);
  }

  UniqueLibrary library_;
  LibCrypto functions_{};
};

}  // namespace

const LibCrypto& TheLibCrypto() {
  static const LoadedLibCrypto loaded;
  return loaded.functions();
}

}  // namespace tovrel::portable
