#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/DevicePath.h"
#include "platform/save/ContentHash.h"
#include "platform/save/SameBytes.h"
#include "platform/save/SaveTemporary.h"
#include "platform/win32/UniqueAny.h"
#include "platform/win32/UniqueFile.h"
#include "platform/win32/UniqueFind.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

using UniqueHandle = UniqueAny<HANDLE, &CloseHandle>;

// Deletes the temporary file unless the replacement took it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(WideText path) : path_(std::move(path)) {}
  TemporaryFile(TemporaryFile&& other) noexcept : path_(std::exchange(other.path_, {})) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(AsWide(path_));
  }
  [[nodiscard]] const WideText& path() const { return path_; }
  void Keep() { path_.clear(); }
  // Gives the temporary the name that says it is whole.
  [[nodiscard]] bool MarkWhole() {
    WideText whole = path_.substr(0, path_.size() - kTemporarySuffix.size());
    whole += kWholeTemporarySuffix;
    if (!MoveFileExW(AsWide(path_), AsWide(whole), MOVEFILE_WRITE_THROUGH)) return false;
    path_ = std::move(whole);
    return true;
  }

 private:
  WideText path_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > INT_MAX ? INT_MAX : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The file a save may replace, open to compare what is written with its bytes.
class FileToCompare {
 public:
  explicit FileToCompare(const WideText& path)
      : file_(CreateFileW(AsWide(path), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
        same_(SizeOf(file_).value_or(0), SizeOf(file_).has_value()) {}

  void Next(std::string_view written) {
    same_.Next(written, [&](char* buffer, std::size_t size) -> long long {
      DWORD count = 0;
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      return ReadFile(file_.get(), buffer, wanted, &count, nullptr) ? count : -1;
    });
  }

  [[nodiscard]] bool Same() const { return same_.Same(); }

  // Lets go of the file, which ReplaceFileW must find without a handle of ours open on it.
  void Close() { file_.Close(); }

 private:
  // Null when the file could not be opened.
  static std::optional<unsigned long long> SizeOf(const UniqueFile& file) {
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    return static_cast<unsigned long long>(size.QuadPart);
  }

  UniqueFile file_;
  SameBytes same_;
};

// The process that made a temporary, from the hexadecimal digits its name starts with.
std::optional<DWORD> CreatorOf(WideView unique_part) {
  DWORD process = 0;
  std::size_t digits = 0;
  for (; digits < unique_part.size() && digits < 8; ++digits) {
    const char16_t c = unique_part[digits];
    const int value = c >= u'0' && c <= u'9'   ? c - u'0'
                      : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                               : -1;
    if (value < 0) break;
    process = process << 4 | static_cast<DWORD>(value);
  }
  if (digits == 0 || digits >= unique_part.size() || unique_part[digits] != u'-') {
    return std::nullopt;
  }
  return process;
}

bool ProcessRuns(DWORD process) {
  if (process == GetCurrentProcessId()) return true;
  const UniqueHandle handle(OpenProcess(SYNCHRONIZE, FALSE, process));
  if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(handle.get(), 0) == WAIT_TIMEOUT;
}

// Removes the temporaries that killed saves of the file left in its folder. One whose maker
// still runs is left alone: it is being written, or about to replace the file; so is one that
// any process holds open.
void RemoveStaleTemporaries(const WideText& prefix) {
  const WideText pattern = prefix + u"*" + WideText(kTemporarySuffix);
  WIN32_FIND_DATAW found{};
  const UniqueFind find(FindFirstFileW(AsWide(pattern), &found));
  if (!find) return;
  const std::size_t folder_end = prefix.find_last_of(u"\\/:") + 1;
  const WideView name_prefix = WideView(prefix).substr(folder_end);
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const WideText name = FromWide(found.cFileName);
    // The pattern also matches short names; only the long one counts.
    if (!name.starts_with(name_prefix) || !name.ends_with(kTemporarySuffix)) continue;
    const auto creator = CreatorOf(WideView(name).substr(name_prefix.size()));
    if (creator && ProcessRuns(*creator)) continue;
    // Opened without sharing, so that a file in use elsewhere is refused, and deleted when
    // closed.
    const UniqueFile stale(CreateFileW(AsWide(prefix.substr(0, folder_end) + name), DELETE, 0,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  } while (FindNextFileW(find.get(), &found));
}

// A new temporary named `prefix` + this process's number + a serial number + the suffix, open
// for writing without sharing.
std::optional<std::pair<TemporaryFile, UniqueFile>> CreateTemporary(const WideText& prefix) {
  static std::atomic<unsigned> serial{GetTickCount()};
  const auto hex = [](unsigned long value) {
    WideText digits;
    do {
      digits.insert(digits.begin(), u"0123456789abcdef"[value & 0xF]);
      value >>= 4;
    } while (value != 0);
    return digits;
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    WideText path =
        prefix + hex(GetCurrentProcessId()) + u"-" + hex(serial++) + WideText(kTemporarySuffix);
    UniqueFile file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return std::make_pair(TemporaryFile(std::move(path)), std::move(file));
    if (GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
  }
  return std::nullopt;
}

// Errors by which ReplaceFileW says that it cannot work on this file system; both files are then
// still under their own names.
bool ReplaceUnsupported(DWORD error) {
  return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
         error == ERROR_INVALID_PARAMETER || error == ERROR_CALL_NOT_IMPLEMENTED;
}

bool MoveOver(const WideText& from, const WideText& to) {
  return MoveFileExW(AsWide(from), AsWide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The path by which Windows itself knows an existing file or folder, after links, short names
// and mapped drives; nothing when it cannot be opened.
std::optional<WideText> FinalPath(const WideText& path) {
  const UniqueFile file(CreateFileW(AsWide(path), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  std::wstring final_path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(file.get(), final_path.data(),
                                                   static_cast<DWORD>(final_path.size()), 0);
    if (length == 0) return std::nullopt;
    if (length < final_path.size()) return FromWide(final_path.data(), length);
    final_path.resize(length);
  }
}

// The start of the names of the file's temporaries, with the folder.
WideText TemporaryPrefixOf(const WideText& target) {
  const std::size_t name_start = target.find_last_of(u"\\/:") + 1;
  return target.substr(0, name_start) + TemporaryNamePrefix(WideView(target).substr(name_start));
}

// Puts the newest whole temporary of a missing file in its place. A replacement that failed half
// way (ERROR_UNABLE_TO_MOVE_REPLACEMENT, and then the move as well) left the file's content only
// there; a temporary that may not be whole is never taken.
void RestoreWholeTemporary(const WideText& target) {
  if (GetFileAttributesW(AsWide(target)) != INVALID_FILE_ATTRIBUTES ||
      GetLastError() != ERROR_FILE_NOT_FOUND) {
    return;
  }
  const WideText prefix = TemporaryPrefixOf(target);
  const std::size_t folder_end = prefix.find_last_of(u"\\/:") + 1;
  const WideView name_prefix = WideView(prefix).substr(folder_end);
  WIN32_FIND_DATAW found{};
  const UniqueFind find(
      FindFirstFileW(AsWide(prefix + u"*" + WideText(kWholeTemporarySuffix)), &found));
  if (!find) return;
  WideText newest;
  FILETIME newest_time{};
  do {
    const WideText name = FromWide(found.cFileName);
    // The pattern also matches short names; only the long one counts.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !name.starts_with(name_prefix) || !name.ends_with(kWholeTemporarySuffix)) {
      continue;
    }
    if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newest_time) > 0) {
      newest = name;
      newest_time = found.ftLastWriteTime;
    }
  } while (FindNextFileW(find.get(), &found));
  if (newest.empty()) return;
  // Without replacing: a file that appeared meanwhile stays.
  MoveFileExW(AsWide(prefix.substr(0, folder_end) + newest), AsWide(target),
              MOVEFILE_WRITE_THROUGH);
}

// The full path of the file one change is about: the file's final path when it exists, else the
// final path of its folder and its name, so that a file restored from its temporary (below) and
// the file itself share one lock.
std::optional<WideText> ChangedFilePath(const WideText& path) {
  const DWORD size = GetFullPathNameW(AsWide(path), 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(AsWide(path), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::nullopt;
  const WideText full_path = FromWide(full.data(), length);
  if (auto final_path = FinalPath(full_path)) return final_path;
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;
  const std::size_t name_start = full_path.find_last_of(u"\\/") + 1;
  const auto folder = FinalPath(full_path.substr(0, name_start));
  if (!folder) return std::nullopt;
  return *folder + u"\\" + full_path.substr(name_start);
}

// The name of the mutex that one file's changes take turns by: drawn from its path without
// regard to case, as Windows compares names. The mutex lives in the global namespace, so that
// installers in other sessions find it too, and names allow no path, so the path is hashed
// (FNV-1a, 64 bits); two files sharing a name would only take turns needlessly.
WideText ChangeMutexName(WideView file_path) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char16_t c : FoldCase(file_path)) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  WideText name = u"Global\\tovrel-change-";
  for (int shift = 60; shift >= 0; shift -= 4) {
    name.push_back(u"0123456789abcdef"[(hash >> shift) & 0xF]);
  }
  return name;
}

// A change's lock: the file's named mutex, owned by this thread until the lock is dropped. A
// process that dies abandons it, and the next waiter takes it over.
class ChangeMutex final : public FileChangeLock {
 public:
  explicit ChangeMutex(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
  ChangeMutex(const ChangeMutex&) = delete;
  ChangeMutex& operator=(const ChangeMutex&) = delete;
  ~ChangeMutex() override { ReleaseMutex(mutex_.get()); }

 private:
  UniqueHandle mutex_;
};

// The file's mutex, owned by this thread once no other change of the file holds it; a thread
// that owns it already takes it again at once. Null when the wait ran out, or when the file has
// no path to draw the mutex's name from.
std::unique_ptr<ChangeMutex> TakeChangeMutex(const WideText& path, std::chrono::milliseconds wait) {
  const auto file_path = ChangedFilePath(path);
  if (!file_path) return nullptr;
  // Open to every user: an installer running elevated and one that is not change the same
  // files, and a mutex with the creator's default permissions would shut the second one out.
  SECURITY_DESCRIPTOR open_to_all{};
  if (!InitializeSecurityDescriptor(&open_to_all, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&open_to_all, TRUE, nullptr, FALSE)) {
    return nullptr;
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &open_to_all, FALSE};
  UniqueHandle mutex(CreateMutexW(&attributes, FALSE, AsWide(ChangeMutexName(*file_path))));
  if (!mutex) return nullptr;
  const auto milliseconds = std::min<std::chrono::milliseconds::rep>(wait.count(), INFINITE - 1);
  const DWORD waited = WaitForSingleObject(mutex.get(), static_cast<DWORD>(milliseconds));
  // An abandoned mutex was held by a change that died; what it left on disk is whole, as every
  // save puts its file in place in one step.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
  return std::make_unique<ChangeMutex>(std::move(mutex));
}

// Whether a whole temporary of the file lies beside it: a save is between taking the file away
// and putting its new content in place.
bool WholeTemporaryExists(const WideText& target) {
  const WideText prefix = TemporaryPrefixOf(target);
  WIN32_FIND_DATAW found{};
  const UniqueFind find(
      FindFirstFileW(AsWide(prefix + u"*" + WideText(kWholeTemporarySuffix)), &found));
  return static_cast<bool>(find);
}

// Whether an open of the file failed only because a save of it was replacing it at that moment:
// a sharing violation; access denied to a file being deleted (which refuses even a look at its
// attributes, where a file the user may not read shows them); the file not found while a whole
// temporary of it waits to take its place, or found again since (the temporary has been moved in
// between the failed open and the look for it, in this order, so that one of the two sees it).
bool InReplaceWindow(const WideText& path, DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
      return true;
    case ERROR_ACCESS_DENIED:
      return GetFileAttributesW(AsWide(path)) == INVALID_FILE_ATTRIBUTES;
    case ERROR_FILE_NOT_FOUND:
      return WholeTemporaryExists(path) ||
             GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
    default:
      return false;
  }
}

// The bytes of an open file, read to its end; nothing when it is no file on a disk (a pipe, a
// console, a device reached by another name) or a read fails.
std::optional<std::string> ReadDiskFile(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) >= std::string().max_size()) {
    return std::nullopt;
  }
  // A byte more than the file holds, so that the read that finds its end needs no more room: a
  // buffer that grew would copy the whole file and keep twice its size.
  std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t read = 0;
  for (;;) {
    // A file that grew since its size was taken is read to its end.
    if (read == bytes.size()) bytes.resize(bytes.size() + 4096);
    const std::size_t room = bytes.size() - read;
    const DWORD chunk = room > INT_MAX ? INT_MAX : static_cast<DWORD>(room);
    DWORD count = 0;
    if (!ReadFile(file, bytes.data() + read, chunk, &count, nullptr)) return std::nullopt;
    if (count == 0) break;
    read += count;
  }
  bytes.resize(read);
  return bytes;
}

}  // namespace

bool Win32FileSystem::FileExists(WideView path) const {
  const DWORD attributes = GetFileAttributesW(AsWide(WideText(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileFacts Win32FileSystem::Describe(WideView path) const {
  // Device, pipe and mailslot names are no files, and asking after them may block.
  if (NamesDevice(path)) return FileFacts{FileKind::kOther, false, 0};
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(AsWide(WideText(path)), GetFileExInfoStandard, &data)) {
    return {};
  }
  FileFacts facts;
  facts.read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    facts.kind = FileKind::kDirectory;
  } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    facts.kind = FileKind::kOther;
  } else {
    facts.kind = FileKind::kRegular;
    facts.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  return facts;
}

std::optional<FileStamp> Win32FileSystem::Stamp(WideView path) const {
  if (path.empty() || Describe(path).kind != FileKind::kRegular) return std::nullopt;
  const UniqueFile file(CreateFileW(AsWide(WideText(path)), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.get(), &information)) {
    return std::nullopt;
  }
  ContentHash hash;
  std::array<char, 64 * 1024> buffer{};
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) break;
    hash.Add(std::string_view(buffer.data(), got));
  }
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return FileStamp{information.dwVolumeSerialNumber,
                   join(information.nFileIndexHigh, information.nFileIndexLow),
                   join(information.nFileSizeHigh, information.nFileSizeLow),
                   static_cast<std::int64_t>(join(information.ftLastWriteTime.dwHighDateTime,
                                                  information.ftLastWriteTime.dwLowDateTime)),
                   hash.value()};
}

Replaced Win32FileSystem::ReplaceFileUnlessChanged(WideView path, const ContentWriter& write,
                                                   const std::optional<FileStamp>& loaded) const {
  const WideText target(path);
  const DWORD attributes = GetFileAttributesW(AsWide(target));
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return Replaced::kFailed;
  }
  const WideText prefix = TemporaryPrefixOf(target);
  RemoveStaleTemporaries(prefix);

  auto created = CreateTemporary(prefix);
  if (!created) return Replaced::kFailed;
  auto& [temporary, file] = *created;
  FileToCompare same(target);
  const bool written = write([&](std::string_view bytes) {
    same.Next(bytes);
    return WriteAll(file.get(), bytes);
  });
  if (!written) return Replaced::kFailed;
  // The file already holds these bytes: it stays as it is, and the temporary goes.
  if (same.Same()) {
    file.Close();
    return Replaced::kYes;
  }
  same.Close();
  // The attributes go with the data, for a file system where only the move below applies.
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
  if (!FlushFileBuffers(file.get()) ||
      !SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic) ||
      !file.Close() || !temporary.MarkWhole()) {
    return Replaced::kFailed;
  }
  // The last look before the replace: what another program saved since the load stays.
  if (loaded && Stamp(path) != loaded) return Replaced::kChangedMeanwhile;
  // ReplaceFileW keeps what makes the file itself: its security descriptor, owner, creation
  // time and attributes.
  if (ReplaceFileW(AsWide(target), AsWide(temporary.path()), nullptr, 0, nullptr, nullptr)) {
    temporary.Keep();
    return Replaced::kYes;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // The original is gone from its name, the new content is still in the temporary: the move
    // must finish the work, and the temporary is never deleted, as it may be the only copy.
    temporary.Keep();
    return MoveOver(temporary.path(), target) ? Replaced::kYes : Replaced::kFailed;
  }
  if (!ReplaceUnsupported(error) || !MoveOver(temporary.path(), target)) return Replaced::kFailed;
  temporary.Keep();
  return Replaced::kYes;
}

std::unique_ptr<FileChangeLock> Win32FileSystem::LockForChange(
    WideView path, std::chrono::milliseconds wait) const {
  auto lock = TakeChangeMutex(WideText(path), wait);
  if (!lock) return nullptr;
  RestoreWholeTemporary(WideText(path));
  return lock;
}

std::optional<std::string> ReadWholeFile(WideView path) {
  // Told before anything opens it: a device or a pipe is no file to read, nor is a directory.
  if (path.empty() || NamesDevice(path)) return std::nullopt;
  const WideText name(path);
  const DWORD attributes = GetFileAttributesW(AsWide(name));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const auto deadline = std::chrono::steady_clock::now() + kFileChangeWait;
  // Without the mutex (the wait ran out, or the file is in a save's replace window and has no
  // final path), the file is read as it is, its replace window waited out below.
  const std::unique_ptr<ChangeMutex> change = TakeChangeMutex(name, kFileChangeWait);
  DWORD pause = 1;
  for (;;) {
    const UniqueFile file(CreateFileW(AsWide(name), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file) return ReadDiskFile(file.get());
    if (!InReplaceWindow(name, GetLastError()) || std::chrono::steady_clock::now() >= deadline) {
      return std::nullopt;
    }
    Sleep(pause);
    pause = std::min<DWORD>(pause * 2, 16);
  }
}

}  // namespace tovrel::win32
