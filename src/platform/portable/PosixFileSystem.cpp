#include "platform/portable/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

#include "platform/portable/NativePath.h"
#include "platform/portable/UniqueFd.h"

namespace tovrel::portable {
namespace {

// Removes the temporary file unless the rename took it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  [[nodiscard]] const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool PosixFileSystem::FileExists(WideView path) const {
  struct stat info {};
  const std::string native = NativePath(path);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::ReplaceFileContents(WideView path, std::string_view bytes) const {
  const std::string target = NativePath(path);
  struct stat info {};
  // A file without its owner's write permission stands for a read-only file; root could write
  // it anyway, so the mode is checked rather than access().
  if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      (info.st_mode & S_IWUSR) == 0) {
    return false;
  }
  std::string pattern = target + ".XXXXXX";
  UniqueFd fd(::mkstemp(pattern.data()));
  if (fd.get() < 0) return false;
  TemporaryFile temporary(pattern);
  if (::fchmod(fd.get(), info.st_mode & 07777) != 0) return false;
  // Keeping the owner needs privileges an ordinary user lacks; a failure leaves the file ours.
  static_cast<void>(::fchown(fd.get(), info.st_uid, info.st_gid));
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.Close()) return false;
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) return false;
  temporary.Keep();
  return true;
}

}  // namespace tovrel::portable
