#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

namespace tovrel {
namespace {

std::string Hex(const auto& bytes) {
  std::string hex;
  for (const auto byte : bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    hex += kDigits[static_cast<std::uint8_t>(byte) >> 4];
    hex += kDigits[static_cast<std::uint8_t>(byte) & 15];
  }
  return hex;
}

std::string Bytes(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

AesBlock Block(std::string_view hex) {
  AesBlock block{};
  const std::string bytes = Bytes(hex);
  std::copy(bytes.begin(), bytes.end(), block.begin());
  return block;
}

class Crypto : public testing::Test {
 protected:
  Platform platform_ = MakePlatform();
};

// FIPS 180 example messages.
TEST_F(Crypto, Sha1KnownAnswers) {
  EXPECT_EQ(Hex(platform_.crypto->Sha1("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(Hex(platform_.crypto->Sha1("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(Hex(platform_.crypto->Sha1("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

// FIPS 197 appendix C: one block under 128, 192 and 256-bit keys, both ways.
TEST_F(Crypto, AesKnownAnswers) {
  const AesBlock plain = Block("00112233445566778899aabbccddeeff");
  const struct {
    std::string_view key;
    std::string_view cipher;
  } kCases[] = {
      {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
      {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
      {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
       "8ea2b7ca516745bfeafc49904b496089"},
  };
  for (const auto& test : kCases) {
    const auto aes = platform_.crypto->MakeAes(Bytes(test.key));
    EXPECT_EQ(Hex(aes->EncryptBlock(plain)), test.cipher);
    EXPECT_EQ(Hex(aes->DecryptBlock(Block(test.cipher))), Hex(plain));
  }
}

TEST_F(Crypto, AesRefusesOtherKeyLengths) {
  EXPECT_THROW(static_cast<void>(platform_.crypto->MakeAes("short")), CryptoError);
}

}  // namespace
}  // namespace tovrel
