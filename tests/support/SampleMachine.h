#pragma once

#include <filesystem>
#include <string_view>

#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

namespace tovrel::test {

// A sample machine for the portable backends: a fresh folder that TOVREL_MACHINE names while
// this object lives, holding firewall.txt with the given text (none when null).
class SampleMachine {
 public:
  explicit SampleMachine(const char* firewall = nullptr);

  [[nodiscard]] const std::filesystem::path& root() const { return dir_.path(); }
  [[nodiscard]] std::filesystem::path firewall() const { return root() / "firewall.txt"; }
  // Makes the folder of a drive path such as "c/Apps/Sub" and gives its native path.
  std::filesystem::path MakeDriveFolder(std::string_view relative) const;

 private:
  TempDir dir_;
  ScopedEnv machine_;
};

}  // namespace tovrel::test
