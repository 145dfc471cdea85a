#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/portable/posix/UniqueFd.h"

namespace tovrel::portable {

// The regular file at the path, open for reading; negative when it is missing, unreadable or no
// regular file. A FIFO or a device is told without waiting for a writer or for data: it is
// opened without blocking and refused by what fstat says.
[[nodiscard]] UniqueFd OpenRegularFile(const std::string& path);

// Reads up to `size` bytes of the file into `buffer`, again when a signal cut the read short:
// how many it read, 0 at the end of the file, negative on failure.
[[nodiscard]] ssize_t ReadSome(int fd, char* buffer, std::size_t size);

// The bytes of the regular file at the path; nothing when OpenRegularFile refuses it or a read
// fails.
[[nodiscard]] std::optional<std::string> ReadRegularFile(const std::string& path);

}  // namespace tovrel::portable
