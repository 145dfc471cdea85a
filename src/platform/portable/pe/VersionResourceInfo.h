#pragma once

#include <cstdint>
#include <vector>

#include "platform/VersionResources.h"

namespace tovrel::portable {

// Version information over the bytes of a version resource: a tree of blocks, each with a
// length, a value length and type, a NUL-terminated key, a value and child blocks, every part
// aligned to four bytes. Every length is checked against the bytes held; a block that does not
// fit ends the search it is met in.
class VersionResourceInfo final : public VersionInfo {
 public:
  explicit VersionResourceInfo(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  [[nodiscard]] std::optional<WideText> QueryText(WideView path) const override;
  [[nodiscard]] std::optional<FixedFileVersion> FileVersion() const override;
  [[nodiscard]] std::span<const std::uint8_t> ResourceBytes() const override { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace tovrel::portable
