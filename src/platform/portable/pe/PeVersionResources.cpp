#include "platform/portable/pe/PeVersionResources.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/pe/ByteSource.h"
#include "platform/portable/pe/PeVersionReader.h"
#include "platform/portable/pe/VersionResourceInfo.h"
#include "platform/portable/posix/RegularFile.h"

namespace tovrel::portable {
namespace {

// A regular file, read at the offsets asked for and nowhere else.
class FileByteSource final : public ByteSource {
 public:
  FileByteSource(UniqueFd file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

  [[nodiscard]] std::uint64_t Size() const override { return size_; }

  [[nodiscard]] bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset > size_ || out.size() > size_ - offset) return false;
    std::size_t got = 0;
    while (got < out.size()) {
      const ssize_t count = ::pread(file_.get(), out.data() + got, out.size() - got,
                                    static_cast<off_t>(offset + got));
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) return false;
      got += static_cast<std::size_t>(count);
    }
    return true;
  }

 private:
  UniqueFd file_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<const VersionInfo> PeVersionResources::Read(WideView file_name) const {
  UniqueFd file = OpenRegularFile(NativePath(file_name));
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) return nullptr;
  const FileByteSource source(std::move(file), static_cast<std::uint64_t>(info.st_size));
  auto bytes = ReadPeVersionResource(source);
  if (!bytes) return nullptr;
  return std::make_unique<VersionResourceInfo>(std::move(*bytes));
}

}  // namespace tovrel::portable
