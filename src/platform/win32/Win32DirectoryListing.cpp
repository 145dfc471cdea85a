#include "platform/win32/Win32DirectoryListing.h"

#include <windows.h>

#include "platform/win32/UniqueFind.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

class Win32DirectorySearch final : public DirectorySearch {
 public:
  explicit Win32DirectorySearch(UniqueFind search) : search_(std::move(search)) {}

  [[nodiscard]] bool FindNext() override {
    WIN32_FIND_DATAW entry{};
    return FindNextFileW(search_.get(), &entry) != FALSE;
  }

 private:
  UniqueFind search_;
};

}  // namespace

bool Win32DirectoryListing::DirectoryExists(WideView path) const {
  const DWORD attributes = GetFileAttributesW(AsWide(WideText(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::unique_ptr<DirectorySearch> Win32DirectoryListing::FindFirst(WideView directory) const {
  const WideText pattern = WideText(directory) + u"\\*.*";
  WIN32_FIND_DATAW entry{};
  UniqueFind search(FindFirstFileW(AsWide(pattern), &entry));
  if (!search) return nullptr;
  return std::make_unique<Win32DirectorySearch>(std::move(search));
}

}  // namespace tovrel::win32
