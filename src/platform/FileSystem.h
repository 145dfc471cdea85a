#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/ByteSink.h"
#include "text/Text.h"

namespace tovrel {

// Held for the whole of one change of a file (load, change, save); dropping it lets the next
// change of that file go ahead.
class FileChangeLock {
 public:
  virtual ~FileChangeLock() = default;
};

// How long a change waits for the changes of the same file ahead of it.
inline constexpr std::chrono::milliseconds kFileChangeWait{10'000};

// What a path names, as far as reading a file or replacing it goes.
enum class FileKind : std::uint8_t {
  kMissing,    // nothing, an empty path, or a path that cannot be examined
  kRegular,    // a file whose bytes can be read
  kDirectory,  // a directory
  kOther,      // a FIFO, socket, device or pipe name: nothing a settings file can be
};

struct FileFacts {
  FileKind kind = FileKind::kMissing;
  // Whether the file may not be written: the read-only attribute, or no write permission for
  // its owner.
  bool read_only = false;
  // The size in bytes of a regular file; 0 otherwise.
  std::uint64_t size = 0;
};

// Which file a path named when a change loaded it, and what it held: two stamps of one path
// differ when anything saved the file in between, in one step or in place.
struct FileStamp {
  // The file's identity: device and inode, or volume serial number and file index.
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  // The last write, in the platform's finest unit (nanoseconds, or 100-nanosecond ticks).
  std::int64_t modified = 0;
  // A hash of every byte (ContentHash, platform/save/ContentHash.h).
  std::uint64_t content = 0;

  bool operator==(const FileStamp&) const = default;
};

// How a replace ended.
enum class Replaced : std::uint8_t {
  kYes,               // the file holds the new bytes (or held them already)
  kFailed,            // the file is as it was: read-only, missing, or a step failed
  kChangedMeanwhile,  // the file is no longer the one stamped at the load; it is left as it is
};

// The file operations the logic needs, on Windows paths of the machine the library runs on.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file; false for a directory or a missing path.
  [[nodiscard]] virtual bool FileExists(WideView path) const = 0;

  // What the path names, found without opening it, so that a FIFO or a device is told at once;
  // a symbolic link is followed.
  [[nodiscard]] virtual FileFacts Describe(WideView path) const = 0;

  // The regular file's stamp, read without blocking on a FIFO or a device; nullopt for anything
  // else or a file that cannot be read.
  [[nodiscard]] virtual std::optional<FileStamp> Stamp(WideView path) const = 0;

  // Replaces the content of an existing file in one step: the writer's bytes go straight into a
  // file beside it under a short temporary name, which is flushed and then put in its place,
  // keeping what makes the file itself (attributes, permissions, owner, creation time where the
  // platform keeps them; the file a symbolic link leads to, not the link). Bytes equal to the
  // file's do not replace it: the file and its time stay untouched. Temporaries that an earlier
  // save of the same file left behind are removed. kFailed, with the file unchanged, when it is
  // read-only, missing, the writer fails, or any step fails. With `loaded`, the file is stamped
  // again right before it is put in place, and a file that another program saved since the load
  // is left as that program saved it (kChangedMeanwhile).
  [[nodiscard]] virtual Replaced ReplaceFileUnlessChanged(
      WideView path, const ContentWriter& write, const std::optional<FileStamp>& loaded) const = 0;

  // ReplaceFileUnlessChanged without the check against a load: true when replaced.
  [[nodiscard]] bool ReplaceFileWith(WideView path, const ContentWriter& write) const {
    return ReplaceFileUnlessChanged(path, write, std::nullopt) == Replaced::kYes;
  }

  // Waits, at most `wait`, until no other change of the file is under way in any process, and
  // keeps every other change of it waiting until the lock given is dropped; a process that dies
  // lets go of it. A settings document's read waits for it as well, and holds it while it reads
  // (the backends' ReadWholeFile). Two paths of one file share its lock. Null when the wait ran out
  // or no lock can be had (a missing file or folder).
  [[nodiscard]] virtual std::unique_ptr<FileChangeLock> LockForChange(
      WideView path, std::chrono::milliseconds wait) const = 0;

  // ReplaceFileWith for bytes at hand.
  [[nodiscard]] bool ReplaceFileContents(WideView path, std::string_view bytes) const {
    return ReplaceFileWith(path, [&](const ByteSink& sink) { return sink(bytes); });
  }
};

}  // namespace tovrel
