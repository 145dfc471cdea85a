#!/usr/bin/env python3
"""Writes a C++ header of protected settings values made by OpenSSL, for the readers' tests.

Registry values: AES-128-CBC by the `openssl enc` command with the zero-padded key and vector,
without padding; a partial last block is enciphered as the first block of CFB from the last
ciphertext block, which is what the reader's tail rule undoes. Profile values: RC4 under the
SHA-1 digest of the passphrase, through libcrypto, since `openssl enc` cuts RC4 keys to 16 bytes.
"""
import base64
import ctypes
import ctypes.util
import subprocess
import sys

PASSPHRASE = b"KelVor"
VECTOR_TEXT = b"mwqzrtkfbnhlycdj"
# Key and vector texts of a caller that gives its own: 20 bytes, so AES-192, and a short vector.
OTHER_KEY_TEXT = b"Astrelo key text 20b"
OTHER_VECTOR_TEXT = b"short"
# 30 bytes, so AES-256 with the key padded to 32 bytes.
LONG_KEY_TEXT = b"Velmora key text of 30 bytes.."
# Key texts on both sides of the lengths where the key grows from 128 to 192 and 256 bits.
BOUNDARY_KEY_TEXTS = [b"k" * length for length in (16, 17, 24, 25)]
BOUNDARY_PLAIN = b"Astrelo, a key of every size"


def openssl(*args, data):
    return subprocess.run(["openssl", *args], input=data, check=True, capture_output=True).stdout


def aes_payload(plain, key_text=PASSPHRASE, vector_text=VECTOR_TEXT):
    bits = 128 if len(key_text) <= 16 else 192 if len(key_text) <= 24 else 256
    key = key_text.ljust(32, b"\0")[:bits // 8].hex()
    vector = vector_text.ljust(16, b"\0")[:16].hex()
    whole = len(plain) // 16 * 16
    cipher = openssl("enc", "-aes-%d-cbc" % bits, "-K", key, "-iv", vector, "-nopad",
                     data=plain[:whole])
    if whole < len(plain):
        chain = cipher[-16:].hex() if cipher else vector
        cipher += openssl("enc", "-aes-%d-cfb" % bits, "-K", key, "-iv", chain,
                          data=plain[whole:])
    return base64.b64encode(cipher).decode()


def aes_other_key_payload(plain):
    return aes_payload(plain, OTHER_KEY_TEXT, OTHER_VECTOR_TEXT)


def aes_long_key_payload(plain):
    return aes_payload(plain, LONG_KEY_TEXT, OTHER_VECTOR_TEXT)


def rc4_payload(plain):
    key = openssl("dgst", "-sha1", "-binary", data=PASSPHRASE)
    crypto = ctypes.CDLL(ctypes.util.find_library("crypto"))
    crypto.OSSL_PROVIDER_load.restype = ctypes.c_void_p
    crypto.EVP_CIPHER_fetch.restype = ctypes.c_void_p
    crypto.EVP_CIPHER_CTX_new.restype = ctypes.c_void_p
    for name in (b"legacy", b"default"):
        if not crypto.OSSL_PROVIDER_load(None, name):
            sys.exit("libcrypto has no %s provider" % name.decode())
    cipher = crypto.EVP_CIPHER_fetch(None, b"RC4", None)
    context = ctypes.c_void_p(crypto.EVP_CIPHER_CTX_new())
    out = ctypes.create_string_buffer(len(plain) + 16)
    written = ctypes.c_int(0)
    ok = (crypto.EVP_EncryptInit_ex(context, ctypes.c_void_p(cipher), None, None, None) and
          crypto.EVP_CIPHER_CTX_set_key_length(context, len(key)) and
          crypto.EVP_EncryptInit_ex(context, None, None, key, None) and
          crypto.EVP_EncryptUpdate(context, out, ctypes.byref(written), plain, len(plain)))
    crypto.EVP_CIPHER_CTX_free(context)
    if not ok or written.value != len(plain):
        sys.exit("RC4 through libcrypto failed")
    return base64.b64encode(out.raw[:written.value]).decode()


# name, plaintext bytes (ANSI code page text), scheme
CASES = [
    ("kRc4Path", b"C:\\Program Files\\Velmora", rc4_payload),
    ("kRc4TrailingBlanks", b"Velmora 9.30   ", rc4_payload),
    ("kRc4Accented", b"Caf\xe9 \xb3\xf3d\xbc", rc4_payload),
    ("kRc4Long", b"D:\\" + b"Velmora\\" * 37 + b"end", rc4_payload),
    ("kAesWholeBlocks", b"C:\\Program Files (x86)\\Astrelo".ljust(32, b"\0"), aes_payload),
    ("kAesOneBlock", b"exactly sixteen!", aes_payload),
    ("kAesPartialBlock", b"C:\\Ferrolin\\fr110.exe \t", aes_payload),
    ("kAesShorterThanABlock", b"Astrelo", aes_payload),
    ("kAes192OtherKey", b"C:\\Astrelo\\as.exe with a tail", aes_other_key_payload),
    ("kAes256LongKey", b"C:\\Velmora\\vl.exe, more than one block", aes_long_key_payload),
    ("kAesVelmoraDir", b"M:\\Velmora Enc", aes_payload),
    ("kAesFerrolinTemplates", b"M:\\Ferrolin Enc\\Szablony", aes_payload),
    ("kRc4VelmoraRedirect", b"M:\\Velmora Moved", rc4_payload),
]


def cpp_bytes(data):
    return '"' + "".join("\\x%02x" % b for b in data) + '"'


def main(output):
    lines = [
        "// Made by tests/data/make_protected_payloads.py at build time.",
        "#pragma once",
        "#include <string_view>",
        "namespace tovrel::test {",
        "struct ProtectedPayload {",
        "  std::string_view plain;",
        "  std::string_view payload;",
        "};",
    ]
    lines.append("inline constexpr std::string_view kOtherKeyText = \"%s\";" %
                 OTHER_KEY_TEXT.decode())
    lines.append("inline constexpr std::string_view kLongKeyText = \"%s\";" %
                 LONG_KEY_TEXT.decode())
    lines.append("struct KeyedPayload {")
    lines.append("  std::string_view key_text;")
    lines.append("  std::string_view payload;")
    lines.append("};")
    lines.append("inline constexpr KeyedPayload kAesKeyBoundaries[] = {%s};" % ", ".join(
        "{\"%s\", \"%s\"}" % (key.decode(), aes_payload(BOUNDARY_PLAIN, key, OTHER_VECTOR_TEXT))
        for key in BOUNDARY_KEY_TEXTS))
    lines.append("inline constexpr std::string_view kAesKeyBoundaryPlain = \"%s\";" %
                 BOUNDARY_PLAIN.decode())
    lines.append("inline constexpr std::string_view kOtherVectorText = \"%s\";" %
                 OTHER_VECTOR_TEXT.decode())
    for name, plain, scheme in CASES:
        lines.append("inline constexpr ProtectedPayload %s{std::string_view(%s, %d), \"%s\"};" %
                     (name, cpp_bytes(plain), len(plain), scheme(plain)))
    lines.append("}  // namespace tovrel::test")
    with open(output, "w") as header:
        header.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
