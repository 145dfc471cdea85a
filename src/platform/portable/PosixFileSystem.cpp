#include "platform/portable/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/DevicePath.h"
#include "platform/portable/machine/NativePath.h"
#include "platform/portable/posix/RegularFile.h"
#include "platform/portable/posix/UniqueFd.h"
#include "platform/save/ContentHash.h"
#include "platform/save/SameBytes.h"
#include "platform/save/SaveTemporary.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

// A temporary file beside the target, open and locked (flock) for as long as this object lives,
// so that a save cleaning up leftovers leaves it alone. Removed unless the rename took it over.
class TemporaryFile {
 public:
  TemporaryFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
  TemporaryFile(TemporaryFile&& other) noexcept
      : fd_(std::move(other.fd_)), path_(std::exchange(other.path_, {})) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    // Removed before the descriptor closes, while the lock still keeps cleaners away.
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  [[nodiscard]] int fd() const { return fd_.get(); }
  [[nodiscard]] const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  UniqueFd fd_;
  std::string path_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the open file is still the one the path names: a cleaner may have removed it, or a
// save renamed it over its target, between the path's listing and the lock.
bool PathNamesFile(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         S_ISREG(named.st_mode) && SameFile(opened, named);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a save may replace, open to compare what is written with its bytes.
class FileToCompare {
 public:
  FileToCompare(const std::string& path, const struct stat& info)
      : file_(OpenRegularFile(path)),
        same_(static_cast<std::uintmax_t>(info.st_size), file_.get() >= 0) {}

  void Next(std::string_view written) {
    same_.Next(written,
               [&](char* buffer, std::size_t size) { return ReadSome(file_.get(), buffer, size); });
  }

  [[nodiscard]] bool Same() const { return same_.Same(); }
  // The file, open for reading; negative when it could not be opened.
  [[nodiscard]] int fd() const { return file_.get(); }

 private:
  UniqueFd file_;
  SameBytes same_;
};

bool IsTemporaryOf(const std::string& name, const std::string& prefix, const std::string& suffix) {
  return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) &&
         name.ends_with(suffix);
}

// Removes the temporaries that killed saves of the file left in the folder. One that a save in
// progress holds locked is left alone.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix,
                            const std::string& suffix) {
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (!IsTemporaryOf(name, prefix, suffix)) continue;
    const std::string path = entry->path().string();
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 &&
        PathNamesFile(fd.get(), path)) {
      ::unlink(path.c_str());
    }
  }
}

// A new temporary named `prefix` + six random characters + `suffix`, locked before it is used.
std::optional<TemporaryFile> CreateTemporary(const std::string& prefix, const std::string& suffix) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = prefix + "XXXXXX" + suffix;
    UniqueFd fd(::mkstemps(path.data(), static_cast<int>(suffix.size())));
    if (fd.get() < 0) return std::nullopt;
    // A cleaner that listed the new file before the lock was taken may have removed it; then
    // another name is tried. Without flock (some network file systems) cleaners skip every
    // temporary, so an unlocked one is safe too.
    if (::flock(fd.get(), LOCK_EX) != 0 || PathNamesFile(fd.get(), path)) {
      return TemporaryFile(std::move(fd), std::move(path));
    }
  }
  return std::nullopt;
}

// Gives the temporary what makes the file itself besides its bytes: its owner and group where
// this user may, else at least its group, so that the others of the group who may write the file
// still may; its mode; and its extended attributes, POSIX ACLs among them. Attributes that this
// user may not set (security.*, trusted.*) stay behind; false only when the mode cannot be set.
bool TakeOverIdentity(int from, int to, const struct stat& info) {
  // A non-owner cannot give the file away, but a member of its group can keep that group.
  if (::fchown(to, info.st_uid, info.st_gid) != 0) {
    static_cast<void>(::fchown(to, static_cast<uid_t>(-1), info.st_gid));
  }
  // After the owner, whose change clears the set-user and set-group bits.
  if (::fchmod(to, info.st_mode & 07777) != 0) return false;
  std::string names(256, '\0');
  ssize_t size = 0;
  while ((size = ::flistxattr(from, names.data(), names.size())) < 0 && errno == ERANGE) {
    names.resize(names.size() * 2);
  }
  if (size <= 0) return true;
  names.resize(static_cast<std::size_t>(size));
  std::string value;
  for (std::size_t start = 0; start < names.size();) {
    const std::string name = names.c_str() + start;
    start += name.size() + 1;
    const ssize_t length = ::fgetxattr(from, name.c_str(), nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<std::size_t>(length));
    const ssize_t got = ::fgetxattr(from, name.c_str(), value.data(), value.size());
    if (got >= 0) {
      static_cast<void>(
          ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(got), 0));
    }
  }
  return true;
}

struct FreeDeleter {
  void operator()(char* text) const { std::free(text); }
};

// The file a path names after its symbolic links; empty when it cannot be resolved.
std::string ResolvedPath(WideView path) {
  const std::string native = NativePath(path);
  if (native.empty()) return {};
  const std::unique_ptr<char, FreeDeleter> resolved(::realpath(native.c_str(), nullptr));
  return resolved ? std::string(resolved.get()) : std::string();
}

// The lock files that this process's changes hold, each with the thread that took it: a read in
// that thread belongs to the change and does not wait for it, as a thread owning a mutex on
// Windows takes it again at once.
class HeldLocks {
 public:
  static HeldLocks& Instance() {
    static HeldLocks held;
    return held;
  }
  void Add(const std::string& lock_path) {
    const std::lock_guard guard(mutex_);
    holders_[lock_path] = std::this_thread::get_id();
  }
  void Remove(const std::string& lock_path) {
    const std::lock_guard guard(mutex_);
    holders_.erase(lock_path);
  }
  [[nodiscard]] bool HeldByThisThread(const std::string& lock_path) {
    const std::lock_guard guard(mutex_);
    const auto holder = holders_.find(lock_path);
    return holder != holders_.end() && holder->second == std::this_thread::get_id();
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::thread::id> holders_;
};

// A change's lock: an empty file beside the changed one, "~tovrel-<digits>.lock", held with
// flock. The changed file itself cannot carry the lock, as each save puts a new file in its
// place. The holder removes the lock file before it lets go, so that none is left behind; a
// waiter that then finds its lock on a removed file takes the next one. Reads hold it shared.
class LockFile final : public FileChangeLock {
 public:
  LockFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {
    HeldLocks::Instance().Add(path_);
  }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;
  // Removed while still locked; the descriptor, closed afterwards, releases the lock.
  ~LockFile() override {
    HeldLocks::Instance().Remove(path_);
    ::unlink(path_.c_str());
  }

 private:
  UniqueFd fd_;
  std::string path_;
};

// The lock file of a file, beside the file that links lead to, so that every path of it finds
// the same.
std::string LockPathOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  WideText name = TemporaryNamePrefix(FromUtf8(target.substr(slash + 1)));
  name.pop_back();
  return target.substr(0, slash + 1) + ToUtf8(name) + ".lock";
}

// Waits, at most `wait`, for the change under way to let go of its lock file, and gives the file
// held shared when it is still the lock, so that a change after the read waits for it. Nothing to
// hold when no change is under way (there is no lock file), when this thread's own change holds
// it, when the change removed it while letting go (a change that started since is not waited
// for, so that a steady writer cannot starve readers), or when the wait ran out: the file is read
// then as it is, whole, as every save puts it in place in one step.
UniqueFd ShareChangeLock(const std::string& lock_path, std::chrono::milliseconds wait) {
  if (HeldLocks::Instance().HeldByThisThread(lock_path)) return UniqueFd();
  UniqueFd fd(::open(lock_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return UniqueFd();
  const auto deadline = std::chrono::steady_clock::now() + wait;
  // Tried every millisecond: a read waits for a change that is about to end, and the try costs
  // little.
  while (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return UniqueFd();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return PathNamesFile(fd.get(), lock_path) ? std::move(fd) : UniqueFd();
}

}  // namespace

bool PosixFileSystem::FileExists(WideView path) const {
  struct stat info {};
  const std::string native = NativePath(path);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

FileFacts PosixFileSystem::Describe(WideView path) const {
  // Named as Windows names them, so that both builds tell them alike.
  if (NamesDevice(path)) return FileFacts{FileKind::kOther, false, 0};
  struct stat info {};
  const std::string native = NativePath(path);
  if (native.empty() || ::stat(native.c_str(), &info) != 0) return {};
  FileFacts facts;
  facts.read_only = (info.st_mode & S_IWUSR) == 0;
  if (S_ISREG(info.st_mode)) {
    facts.kind = FileKind::kRegular;
    facts.size = static_cast<std::uint64_t>(info.st_size);
  } else {
    facts.kind = S_ISDIR(info.st_mode) ? FileKind::kDirectory : FileKind::kOther;
  }
  return facts;
}

std::optional<FileStamp> PosixFileSystem::Stamp(WideView path) const {
  const std::string target = ResolvedPath(path);
  if (target.empty()) return std::nullopt;
  const UniqueFd fd = OpenRegularFile(target);
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) return std::nullopt;
  ContentHash hash;
  std::array<char, 64 * 1024> buffer{};
  for (;;) {
    const ssize_t got = ReadSome(fd.get(), buffer.data(), buffer.size());
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    hash.Add(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  return FileStamp{
      static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
      static_cast<std::uint64_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
      hash.value()};
}

Replaced PosixFileSystem::ReplaceFileUnlessChanged(WideView path, const ContentWriter& write,
                                                   const std::optional<FileStamp>& loaded) const {
  // Through a symbolic link, the file it leads to is replaced and the link stays.
  const std::string target = ResolvedPath(path);
  if (target.empty()) return Replaced::kFailed;
  struct stat info {};
  // A file without its owner's write permission stands for a read-only file; root could write
  // it anyway, so the mode is checked rather than access().
  if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      (info.st_mode & S_IWUSR) == 0) {
    return Replaced::kFailed;
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder = target.substr(0, slash + 1);
  const std::string prefix = ToUtf8(TemporaryNamePrefix(FromUtf8(target.substr(slash + 1))));
  const std::string suffix = ToUtf8(kTemporarySuffix);
  RemoveStaleTemporaries(folder, prefix, suffix);

  std::optional<TemporaryFile> temporary = CreateTemporary(folder + prefix, suffix);
  if (!temporary) return Replaced::kFailed;
  FileToCompare same(target, info);
  if (!TakeOverIdentity(same.fd(), temporary->fd(), info)) return Replaced::kFailed;
  const bool written = write([&](std::string_view bytes) {
    same.Next(bytes);
    return WriteAll(temporary->fd(), bytes);
  });
  if (!written) return Replaced::kFailed;
  // The file already holds these bytes: it stays as it is, and the temporary goes.
  if (same.Same()) return Replaced::kYes;
  if (::fsync(temporary->fd()) != 0) return Replaced::kFailed;
  // The last look before the rename: what another program saved since the load stays.
  if (loaded && Stamp(path) != loaded) return Replaced::kChangedMeanwhile;
  // Renamed while still locked, so that no cleaner takes it in between.
  if (::rename(temporary->path().c_str(), target.c_str()) != 0) return Replaced::kFailed;
  temporary->Keep();
  return Replaced::kYes;
}

std::unique_ptr<FileChangeLock> PosixFileSystem::LockForChange(
    WideView path, std::chrono::milliseconds wait) const {
  const std::string target = ResolvedPath(path);
  if (target.empty()) return nullptr;
  const std::string lock_path = LockPathOf(target);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  // flock has no time limit of its own, so a busy lock is tried again after a short pause.
  std::chrono::milliseconds pause{1};
  for (;;) {
    UniqueFd fd(
        ::open(lock_path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0444));
    if (fd.get() < 0) {
      // A lock file that another user made and that this one may not open is still in use;
      // a folder where none can be made refuses the save as well.
      if (errno != EACCES || ::access(lock_path.c_str(), F_OK) != 0) return nullptr;
    } else {
      // Readable by every user whatever the umask: each one who may change the file opens it.
      static_cast<void>(::fchmod(fd.get(), 0444));
      if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
        if (PathNamesFile(fd.get(), lock_path)) {
          return std::make_unique<LockFile>(std::move(fd), lock_path);
        }
        // Its holder removed it while letting go: the next lock file is tried at once.
        continue;
      }
      // Without flock (some network file systems) changes cannot wait for each other; they go
      // ahead as before, each save still whole.
      if (errno != EWOULDBLOCK) return std::make_unique<FileChangeLock>();
    }
    if (std::chrono::steady_clock::now() >= deadline) return nullptr;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(8));
  }
}

std::optional<std::string> ReadWholeFile(WideView path) {
  const std::string target = ResolvedPath(path);
  struct stat info {};
  // Told before any wait: a FIFO, a socket, a device or a directory is no file to read.
  if (target.empty() || ::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  const UniqueFd shared = ShareChangeLock(LockPathOf(target), kFileChangeWait);
  return ReadRegularFile(target);
}

}  // namespace tovrel::portable
