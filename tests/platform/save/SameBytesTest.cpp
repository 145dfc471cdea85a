#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/save/SameBytes.h"

namespace tovrel {
namespace {

// The file's bytes, read a few at a time as a read may return them.
struct FileReads {
  std::string bytes;
  std::size_t at = 0;

  long operator()(char* buffer, std::size_t size) {
    const std::size_t count = std::min({size, bytes.size() - at, std::size_t{7}});
    std::copy_n(bytes.data() + at, count, buffer);
    at += count;
    return static_cast<long>(count);
  }
};

TEST(SameBytes, TellsAWriteOfTheFilesOwnBytesInPiecesOfAnySize) {
  std::string large(200'000, 'x');
  for (std::size_t i = 0; i < large.size(); i += 997) large[i] = static_cast<char>('a' + i % 26);
  std::string changed_late = large;
  changed_late[150'000] ^= 1;
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> written;
    bool same;
  };
  const Case cases[] = {
      {"the same, in one piece larger than a block", large, {large}, true},
      {"the same, in pieces",
       large,
       {large.substr(0, 3), large.substr(3, 70'000), large.substr(70'003)},
       true},
      {"a byte differs beyond the first block", large, {changed_late}, false},
      {"a byte short", large, {large.substr(0, large.size() - 1)}, false},
      {"a byte more", large, {large, "x"}, false},
      {"nothing, over an empty file", "", {}, true},
  };
  for (const Case& c : cases) {
    FileReads reads{c.file};
    SameBytes same(c.file.size(), true);
    for (const std::string& piece : c.written) same.Next(piece, reads);
    EXPECT_EQ(same.Same(), c.same) << c.what;
  }
  SameBytes unreadable(0, false);
  EXPECT_FALSE(unreadable.Same());
}

}  // namespace
}  // namespace tovrel
