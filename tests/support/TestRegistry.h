#pragma once

#include <string>
#include <string_view>

#include "support/TestFiles.h"
#include "text/Text.h"

namespace tovrel::test {

// The bytes of a text file in UTF-16LE with a byte-order mark.
std::string Utf16File(WideView text);

// A .reg file's bytes: "Windows Registry Editor Version 5.00" in UTF-16LE with a byte-order mark,
// from text whose lines end in "\n" (written with CRLF, as the registry editor writes them).
std::string UnicodeRegFile(WideView lines);

// Puts .reg files into the registry the backend of this build reads. Portable: the files of a
// fresh sample machine, which TOVREL_MACHINE names while this object lives. Windows: the
// registry itself, through "reg import FILE /reg:32", so that 32-bit view keys land where the
// shipped DLL reads them; the files should start by deleting the keys they set up.
class TestRegistry {
 public:
  TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;
  ~TestRegistry();

  // Adds the file under the name; false, with a message on stderr, when the import failed.
  [[nodiscard]] bool Import(std::string_view name, std::string_view bytes) const;

  // The sample machine folder (portable builds only).
  [[nodiscard]] const std::filesystem::path& machine() const { return dir_.path(); }

 private:
  TempDir dir_;
};

#ifdef _WIN32
// Runs a program of the Windows directory (for example "reg.exe export ...") and gives its exit
// code, or -1 when it cannot be started.
int RunSystemProgram(WideView command_line);
#endif

}  // namespace tovrel::test
