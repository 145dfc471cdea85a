#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "support/TestFiles.h"

namespace tovrel::test {

// A folder chooser program standing in for zenity or kdialog: it records its arguments, one a
// line, prints the environment variable ANSWER and exits with STATUS, as zenity does for OK (0)
// and Cancel (1).
class ScriptedChooser {
 public:
  explicit ScriptedChooser(std::string_view name = "chooser");

  [[nodiscard]] const std::filesystem::path& program() const { return program_; }
  [[nodiscard]] const std::filesystem::path& folder() const { return dir_.path(); }
  // The arguments of its last run.
  [[nodiscard]] std::string Arguments() const;

 private:
  TempDir dir_;
  std::filesystem::path program_;
};

}  // namespace tovrel::test
