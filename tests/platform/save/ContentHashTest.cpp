#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/save/ContentHash.h"

namespace tovrel {
namespace {

std::uint64_t HashOf(std::string_view bytes) {
  ContentHash hash;
  hash.Add(bytes);
  return hash.value();
}

// A file is hashed in the pieces its reads return, which differ from one look to the next.
TEST(ContentHash, DependsOnTheBytesNotOnThePiecesTheyCameIn) {
  const std::string bytes = "<?xml version=\"1.0\"?><r><a>one</a></r>\n";
  const std::uint64_t whole = HashOf(bytes);
  for (std::size_t first = 0; first <= bytes.size(); ++first) {
    for (std::size_t second = first; second <= bytes.size(); second += 3) {
      ContentHash hash;
      hash.Add(std::string_view(bytes).substr(0, first));
      hash.Add(std::string_view(bytes).substr(first, second - first));
      hash.Add(std::string_view(bytes).substr(second));
      ASSERT_EQ(hash.value(), whole) << first << " " << second;
    }
  }
}

TEST(ContentHash, TellsApartFilesThatDifferInOneByteOrInLength) {
  const std::string bytes = "<r><a>0123456789abcdef</a></r>";
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::string changed = bytes;
    changed[at] ^= 1;
    EXPECT_NE(HashOf(changed), HashOf(bytes)) << at;
  }
  EXPECT_NE(HashOf(bytes + std::string(1, '\0')), HashOf(bytes));
  EXPECT_NE(HashOf(std::string(8, '\0')), HashOf(""));
}

}  // namespace
}  // namespace tovrel
