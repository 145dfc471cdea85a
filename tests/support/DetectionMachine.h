#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "support/TestRegistry.h"

namespace tovrel::test {

// A sample machine for the product lookups: registry keys given as REGEDIT4 text, and files on
// drive M:. Portable: a fresh machine folder that TOVREL_MACHINE names while this object lives.
// Windows: the products' keys are deleted from the 32-bit view and the text imported with "reg
// import /reg:32", and drive M: is a folder that the test runner links into its own Wine prefix
// (announced by TOVREL_DETECTION_DRIVE); it is emptied first.
class DetectionMachine {
 public:
  DetectionMachine();

  // False on Windows when the runner has given no drive M:.
  [[nodiscard]] static bool Available();

  // Replaces the keys of the maker's products and of Płatnik's uninstall entry by those of the
  // REGEDIT4 lines (without the header), whose lines end in "\n"; false when the import failed.
  [[nodiscard]] bool SetRegistry(std::string_view lines) const;

  // The native path of a path under M:\ such as "Velmora\Velm.ini".
  [[nodiscard]] std::filesystem::path Native(std::string_view path) const;
  // Writes a file under M:\, making its folders.
  void Write(std::string_view path, std::string_view bytes) const;
  // Makes a folder under M:\.
  void MakeFolder(std::string_view path) const;
  // Copies the x86_64 version fixture of that name ("none" has no version resource) under M:\.
  void CopyFixture(std::string_view fixture, std::string_view path) const;

 private:
  TestRegistry registry_;
};

// REGEDIT4 lines: a key line, and a string value with its backslashes and quotes escaped.
std::string RegKey(std::string_view path);
std::string RegString(std::string_view name, std::string_view text);

}  // namespace tovrel::test
