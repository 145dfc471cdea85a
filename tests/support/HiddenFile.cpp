#include "support/HiddenFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <fstream>

namespace tovrel::test {

void WriteHiddenFile(const std::filesystem::path& file) {
  std::ofstream{file};
#ifdef _WIN32
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
}

}  // namespace tovrel::test
