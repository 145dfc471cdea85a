#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tovrel {

// A hash of a file's bytes, fed piece by piece as they are read, to tell whether a file changed
// between two looks at it. Nothing depends on it against an adversary, so it is built for speed:
// eight bytes a step, each mixed in by a rotation and a multiplication. The value depends on the
// bytes only, never on how they were cut into pieces.
class ContentHash {
  // A word is read from memory as the little-endian bytes TakeByte gathers it from.
  static_assert(std::endian::native == std::endian::little);

 public:
  void Add(std::string_view bytes) {
    while (!bytes.empty() && pending_size_ != 0) TakeByte(bytes);
    for (; bytes.size() >= sizeof(std::uint64_t); bytes.remove_prefix(sizeof(std::uint64_t))) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data(), sizeof word);
      Mix(word);
    }
    while (!bytes.empty()) TakeByte(bytes);
  }

  [[nodiscard]] std::uint64_t value() const {
    // The bytes short of a whole word, with their count, so that trailing zeros still count.
    return (std::rotl(value_ ^ pending_, 29) ^ pending_size_) * kMultiplier;
  }

 private:
  static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

  void Mix(std::uint64_t word) { value_ = std::rotl(value_ ^ word, 29) * kMultiplier; }

  // Takes the first byte into the word being gathered, mixing the word in once it is whole.
  void TakeByte(std::string_view& bytes) {
    pending_ |= std::uint64_t{static_cast<unsigned char>(bytes.front())} << (8 * pending_size_);
    bytes.remove_prefix(1);
    if (++pending_size_ == sizeof(std::uint64_t)) {
      Mix(pending_);
      pending_ = 0;
      pending_size_ = 0;
    }
  }

  std::uint64_t value_ = 0xcbf29ce484222325ULL;
  std::uint64_t pending_ = 0;
  std::size_t pending_size_ = 0;
};

}  // namespace tovrel
