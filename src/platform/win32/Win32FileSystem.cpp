#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <array>
#include <climits>

#include "platform/win32/UniqueFile.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

// Deletes the temporary file unless the move took it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(WideText path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(AsWide(path_));
  }
  [[nodiscard]] const WideText& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  WideText path_;
};

WideText DirectoryOf(const WideText& path) {
  const auto last = path.find_last_of(u"\\/");
  return last == WideText::npos ? WideText(u".") : path.substr(0, last + 1);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > INT_MAX ? INT_MAX : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Win32FileSystem::FileExists(WideView path) const {
  const DWORD attributes = GetFileAttributesW(AsWide(WideText(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::ReplaceFileContents(WideView path, std::string_view bytes) const {
  const WideText target(path);
  const DWORD attributes = GetFileAttributesW(AsWide(target));
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }
  std::array<wchar_t, MAX_PATH + 1> name{};
  if (GetTempFileNameW(AsWide(DirectoryOf(target)), L"tvr", 0, name.data()) == 0) return false;
  TemporaryFile temporary(FromWide(name.data()));
  UniqueFile file(CreateFileW(AsWide(temporary.path()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.Close()) {
    return false;
  }
  if (!SetFileAttributesW(AsWide(temporary.path()), attributes) ||
      !MoveFileExW(AsWide(temporary.path()), AsWide(target),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  temporary.Keep();
  return true;
}

}  // namespace tovrel::win32
