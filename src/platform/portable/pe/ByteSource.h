#pragma once

#include <cstdint>
#include <span>

namespace tovrel::portable {

// Random access to a run of bytes, such as a file, read piece by piece.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // The number of bytes there are.
  [[nodiscard]] virtual std::uint64_t Size() const = 0;

  // Fills `out` with the bytes from `offset` on; false, with `out` unspecified, when they are not
  // all there.
  [[nodiscard]] virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

// Bytes already in memory, such as a fuzzer's input.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  [[nodiscard]] std::uint64_t Size() const override { return bytes_.size(); }
  [[nodiscard]] bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace tovrel::portable
