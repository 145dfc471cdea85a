#include "platform/portable/PosixDirectoryListing.h"

#include <filesystem>

#include "platform/portable/NativePath.h"

namespace tovrel::portable {
namespace {

// Stands on "." when made; ".." follows, then the entries the directory iterator gives, which
// leaves those two out.
class PosixDirectorySearch final : public DirectorySearch {
 public:
  explicit PosixDirectorySearch(std::filesystem::directory_iterator entries)
      : entries_(std::move(entries)) {}

  [[nodiscard]] bool FindNext() override {
    if (!past_parent_) {
      past_parent_ = true;
      return true;
    }
    if (on_entry_) {
      std::error_code error;
      entries_.increment(error);
    }
    on_entry_ = entries_ != std::filesystem::directory_iterator();
    return on_entry_;
  }

 private:
  std::filesystem::directory_iterator entries_;
  bool past_parent_ = false;
  bool on_entry_ = false;
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
