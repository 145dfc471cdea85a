#pragma once

#include <cstdint>
#include <string_view>

namespace tovrel {

// A hash of a file's bytes, fed piece by piece as they are read, to tell whether a file changed
// between two looks at it (64-bit FNV-1a: quick, and nothing depends on it against an adversary).
class ContentHash {
 public:
  void Add(std::string_view bytes) {
    for (const char byte : bytes) {
      value_ = (value_ ^ static_cast<unsigned char>(byte)) * kPrime;
    }
  }
  [[nodiscard]] std::uint64_t value() const { return value_; }

 private:
  static constexpr std::uint64_t kPrime = 0x100000001b3ULL;
  std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

}  // namespace tovrel
