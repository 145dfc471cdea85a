#include "platform/portable/posix/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tovrel::portable {

UniqueFd OpenRegularFile(const std::string& path) {
  if (path.empty()) return UniqueFd();
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return UniqueFd();
  // Reads of a regular file wait for the disk whatever the flag says; it goes so that nothing
  // reading the descriptor meets EAGAIN.
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return UniqueFd();
  return fd;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
  ssize_t count = 0;
  do {
    count = ::read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

std::optional<std::string> ReadRegularFile(const std::string& path) {
  const UniqueFd fd = OpenRegularFile(path);
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) return std::nullopt;
  // A byte more than the file holds, so that the read that finds its end needs no more room: a
  // buffer that grew would copy the whole file and keep twice its size.
  std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t read = 0;
  for (;;) {
    // A file that grew since fstat is read to its end.
    if (read == bytes.size()) bytes.resize(bytes.size() + 4096);
    const ssize_t got = ReadSome(fd.get(), bytes.data() + read, bytes.size() - read);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    read += static_cast<std::size_t>(got);
  }
  bytes.resize(read);
  return bytes;
}

}  // namespace tovrel::portable
