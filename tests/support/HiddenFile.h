#pragma once

#include <filesystem>

namespace tovrel::test {

// Writes an empty file that the platform hides from a plain listing: its name starts with "."
// (Linux), and it carries the hidden attribute (Windows).
void WriteHiddenFile(const std::filesystem::path& file);

}  // namespace tovrel::test
