#include "platform/win32/Win32DirectoryListing.h"

#include <windows.h>

#include "platform/DevicePath.h"
#include "platform/win32/UniqueFind.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

// Stands on the entry FindFirstFileW found; an empty drive root gives no handle and no entry.
class Win32DirectorySearch final : public DirectorySearch {
 public:
  Win32DirectorySearch(UniqueFind search, const WIN32_FIND_DATAW& first)
      : search_(std::move(search)), entry_(first) {}

  [[nodiscard]] WideText Name() const override {
    return search_ ? FromWide(entry_.cFileName) : WideText();
  }

  [[nodiscard]] bool FindNext() override {
    return search_ && FindNextFileW(search_.get(), &entry_) != FALSE;
  }

 private:
  UniqueFind search_;
  WIN32_FIND_DATAW entry_;
};

}  // namespace

bool Win32DirectoryListing::DirectoryExists(WideView path) const {
  // Asking after a device or a pipe by name may wait on it; neither is a directory.
  if (NamesDevice(path)) return false;
  const DWORD attributes = GetFileAttributesW(AsWide(WideText(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::unique_ptr<DirectorySearch> Win32DirectoryListing::FindFirst(WideView directory) const {
  if (NamesDevice(directory)) return nullptr;
  const WideText pattern = WideText(directory) + u"\\*.*";
  WIN32_FIND_DATAW entry{};
  UniqueFind search(FindFirstFileW(AsWide(pattern), &entry));
  if (!search) {
    // Nothing matches in a directory that lists no entry at all, such as an empty drive root.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES) return nullptr;
  }
  return std::make_unique<Win32DirectorySearch>(std::move(search), entry);
}

}  // namespace tovrel::win32
