#include "platform/portable/PosixDirectoryListing.h"

#include <filesystem>

#include "platform/portable/machine/NativePath.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

// Lists the entries the directory iterator gives, which leaves out "." and "..".
class PosixDirectorySearch final : public DirectorySearch {
 public:
  explicit PosixDirectorySearch(std::filesystem::directory_iterator entries)
      : entries_(std::move(entries)) {}

  [[nodiscard]] WideText Name() const override {
    if (entries_ == std::filesystem::directory_iterator()) return {};
    return FromUtf8(entries_->path().filename().string());
  }

  [[nodiscard]] bool FindNext() override {
    if (entries_ == std::filesystem::directory_iterator()) return false;
    std::error_code error;
    entries_.increment(error);
    return !error && entries_ != std::filesystem::directory_iterator();
  }

 private:
  std::filesystem::directory_iterator entries_;
};

}  // namespace

bool PosixDirectoryListing::DirectoryExists(WideView path) const {
  const std::string native = NativePath(path);
  std::error_code error;
  return !native.empty() && std::filesystem::is_directory(native, error);
}

std::unique_ptr<DirectorySearch> PosixDirectoryListing::FindFirst(WideView directory) const {
  const std::string native = NativePath(directory);
  if (native.empty()) return nullptr;
  std::error_code error;
  std::filesystem::directory_iterator entries(native, error);
  if (error) return nullptr;
  return std::make_unique<PosixDirectorySearch>(std::move(entries));
}

}  // namespace tovrel::portable
