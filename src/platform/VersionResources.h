#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "text/Text.h"

namespace tovrel {

// The binary file version of a version resource's fixed information, as two double words:
// major and minor in the most significant one, release and build in the least significant one.
struct FixedFileVersion {
  std::uint32_t most_significant = 0;
  std::uint32_t least_significant = 0;
};

// The version information of one file, read into memory once and queried by path.
class VersionInfo {
 public:
  virtual ~VersionInfo() = default;

  // The text of the entry a backslash-separated path names, such as
  // "\StringFileInfo\041504E2\FileVersion", up to its first NUL; names compare without regard to
  // case. Nullopt when the path names no entry; empty when the entry has no text.
  [[nodiscard]] virtual std::optional<WideText> QueryText(WideView path) const = 0;

  // The file version of the root block's fixed information; nullopt when the root carries none.
  [[nodiscard]] virtual std::optional<FixedFileVersion> FileVersion() const = 0;

  // The version resource as the file carries it: the root VS_VERSIONINFO block, exactly its
  // recorded length (less when fewer bytes were read), nothing the reader added after it.
  [[nodiscard]] virtual std::span<const std::uint8_t> ResourceBytes() const = 0;
};

// Reads the version resources of executable files.
class VersionResources {
 public:
  virtual ~VersionResources() = default;

  // The file's version information; null when the file is missing, unreadable, not an
  // executable image, or carries no version resource.
  [[nodiscard]] virtual std::unique_ptr<const VersionInfo> Read(WideView file_name) const = 0;
};

}  // namespace tovrel
