#include "config/ProtectedText.h"

#include <algorithm>

#include "config/Base64Groups.h"
#include "config/Rc4.h"

namespace tovrel {
namespace {

std::size_t AesKeySize(std::size_t key_text_length) {
  if (key_text_length <= 16) return 16;
  if (key_text_length <= 24) return 24;
  return 32;
}

AesBlock BlockAt(std::string_view bytes) {
  AesBlock block{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
  return block;
}

}  // namespace

AnsiText PadWithZeros(AnsiView text, std::size_t multiple) {
  if (!text.empty() && text.size() % multiple == 0) return AnsiText(text);
  AnsiText padded(text);
  padded.resize(multiple * (text.size() / multiple + 1), '\0');
  return padded;
}

AnsiText DecryptRc4Text(const Crypto& crypto, AnsiView payload, AnsiView passphrase) {
  const std::string cipher = DecodeBase64Groups(payload);
  if (cipher.empty()) return {};
  const Sha1Digest digest = crypto.Sha1(passphrase);
  return Rc4(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()), cipher);
}

WideText DecryptAesText(const Crypto& crypto, const AnsiCodePage& code_page, AnsiView payload,
                        AnsiView key_text, AnsiView vector_text) {
  if (key_text.empty()) key_text = kRegistryKeyText;
  if (vector_text.empty()) vector_text = kRegistryVectorText;
  const AnsiText key = PadWithZeros(key_text, 32).substr(0, AesKeySize(key_text.size()));
  std::string text = DecodeBase64Groups(payload);
  if (!text.empty()) {
    const auto aes = crypto.MakeAes(key);
    AesBlock chain = BlockAt(PadWithZeros(vector_text, 16));
    std::size_t at = 0;
    for (; at + 16 <= text.size(); at += 16) {
      const AesBlock cipher = BlockAt(std::string_view(text).substr(at, 16));
      const AesBlock plain = aes->DecryptBlock(cipher);
      for (std::size_t i = 0; i < 16; ++i) {
        text[at + i] = static_cast<char>(plain[i] ^ chain[i]);
      }
      chain = cipher;
    }
    // A partial last block is XORed with the enciphered chaining value, as in CFB.
    const AesBlock stream = at < text.size() ? aes->EncryptBlock(chain) : AesBlock{};
    for (std::size_t i = 0; at + i < text.size(); ++i) {
      text[at + i] = static_cast<char>(static_cast<std::uint8_t>(text[at + i]) ^ stream[i]);
    }
  }
  WideText wide = code_page.ToWide(text);
  while (!wide.empty() && wide.back() <= u' ') wide.pop_back();
  return wide;
}

}  // namespace tovrel
