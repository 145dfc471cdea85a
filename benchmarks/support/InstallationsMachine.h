#pragma once

#include <filesystem>

namespace tovrel::bench {

// A sample machine with registered installations of the three products, dealt to their sixteen
// editions in turn; each has its own folder on drive M with its marker, settings file and a
// version-carrying executable. TOVREL_MACHINE names it while the object lives.
class InstallationsMachine {
 public:
  explicit InstallationsMachine(int installations);
  InstallationsMachine(const InstallationsMachine&) = delete;
  InstallationsMachine& operator=(const InstallationsMachine&) = delete;
  ~InstallationsMachine();

  // Makes TOVREL_MACHINE name this machine again.
  void Use() const;

 private:
  std::filesystem::path root_;
};

}  // namespace tovrel::bench
