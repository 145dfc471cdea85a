#include <gtest/gtest.h>

#include "export/ByteFlag.h"

namespace tovrel {
namespace {

TEST(ByteFlag, OnlyTheLowByteCounts) {
  EXPECT_FALSE(ByteFlag(0));
  EXPECT_TRUE(ByteFlag(1));
  EXPECT_TRUE(ByteFlag(255));
  EXPECT_FALSE(ByteFlag(256));
  EXPECT_TRUE(ByteFlag(0xFFFFFF01u));
}

}  // namespace
}  // namespace tovrel
