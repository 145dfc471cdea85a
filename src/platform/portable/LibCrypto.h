#pragma once

#include <openssl/evp.h>

namespace tovrel::portable {

// The functions of OpenSSL's libcrypto that OpenSslCrypto calls, from the shared library loaded
// on first use rather than with ours: most calls of the library never digest or encipher.
struct LibCrypto {
  decltype(&EVP_CIPHER_CTX_new) cipher_context_new;
  decltype(&EVP_CIPHER_CTX_free) cipher_context_free;
  decltype(&EVP_CIPHER_CTX_set_padding) cipher_context_set_padding;
  decltype(&EVP_CipherInit_ex) cipher_init;
  decltype(&EVP_CipherUpdate) cipher_update;
  decltype(&EVP_aes_128_ecb) aes_128_ecb;
  decltype(&EVP_aes_192_ecb) aes_192_ecb;
  decltype(&EVP_aes_256_ecb) aes_256_ecb;
  decltype(&EVP_MD_CTX_new) digest_context_new;
  decltype(&EVP_MD_CTX_free) digest_context_free;
  decltype(&EVP_DigestInit_ex) digest_init;
  decltype(&EVP_DigestUpdate) digest_update;
  decltype(&EVP_DigestFinal_ex) digest_final;
  decltype(&EVP_sha1) sha1;
};

// libcrypto, loaded by the first call and kept until the process ends; raises CryptoError when it
// or one of its functions cannot be found (the next call tries again).
const LibCrypto& TheLibCrypto();

}  // namespace tovrel::portable
