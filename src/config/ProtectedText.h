#pragma once

#include <cstddef>

#include "platform/AnsiCodePage.h"
#include "platform/Crypto.h"

namespace tovrel {

// The passphrase of protected values in profile files, and the key and vector texts of
// protected registry values.
inline constexpr AnsiView kProfilePassphrase = "KelVor";
inline constexpr AnsiView kRegistryKeyText = "KelVor";
inline constexpr AnsiView kRegistryVectorText = "mwqzrtkfbnhlycdj";

// The text extended with zero bytes to the next multiple of `multiple` bytes; unchanged when its
// length already is a non-zero multiple; `multiple` zero bytes for the empty text.
AnsiText PadWithZeros(AnsiView text, std::size_t multiple);

// A profile file's protected payload: Base64 of RC4 under the SHA-1 digest of the passphrase.
// The bytes come back as they are, trailing blanks included; no bytes give the empty text.
AnsiText DecryptRc4Text(const Crypto& crypto, AnsiView payload, AnsiView passphrase);

// A registry value's protected payload: Base64 of AES-CBC under the zero-padded key text (empty
// means the registry's key text) and vector text (empty means the registry's vector text), a
// partial last block XORed with the enciphered chaining value. The text in the ANSI code page,
// without its trailing characters up to U+0020.
WideText DecryptAesText(const Crypto& crypto, const AnsiCodePage& code_page, AnsiView payload,
                        AnsiView key_text = {}, AnsiView vector_text = {});

}  // namespace tovrel
