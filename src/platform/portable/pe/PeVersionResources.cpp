#include "platform/portable/pe/PeVersionResources.h"

#include <filesystem>
#include <fstream>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/pe/ByteSource.h"
#include "platform/portable/pe/PeVersionReader.h"
#include "platform/portable/pe/VersionResourceInfo.h"

namespace tovrel::portable {
namespace {

// A regular file, read at the offsets asked for and nowhere else.
class FileByteSource final : public ByteSource {
 public:
  FileByteSource(const std::filesystem::path& path, std::uint64_t size)
      : file_(path, std::ios::binary), size_(size) {}

  [[nodiscard]] bool IsOpen() const { return file_.is_open(); }
  [[nodiscard]] std::uint64_t Size() const override { return size_; }

  [[nodiscard]] bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset > size_ || out.size() > size_ - offset) return false;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<std::size_t>(file_.gcount()) == out.size();
  }

 private:
  mutable std::ifstream file_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<const VersionInfo> PeVersionResources::Read(WideView file_name) const {
  const std::filesystem::path path = NativePath(file_name);
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return nullptr;
  const std::uint64_t size = std::filesystem::file_size(path, error);
  if (error) return nullptr;
  const FileByteSource source(path, size);
  if (!source.IsOpen()) return nullptr;
  auto bytes = ReadPeVersionResource(source);
  if (!bytes) return nullptr;
  return std::make_unique<VersionResourceInfo>(std::move(*bytes));
}

}  // namespace tovrel::portable
