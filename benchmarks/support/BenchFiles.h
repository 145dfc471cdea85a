#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tovrel::bench {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // Writes the bytes into a file of this folder and gives its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

// <r><a> and `siblings` empty <x/> elements, then </a><b>ok</b></r>; with `b_first`, <b> comes
// before <a> instead.
std::string SiblingsDocument(std::size_t siblings, bool b_first);

// A settings file of about `bytes` bytes: <r><a> with <x> elements holding short texts, then
// </a><b>ok</b></r>.
std::string SettingsDocument(std::size_t bytes);

// What one run of a program took: wall time in seconds and the peak resident memory in bytes.
struct ProcessRun {
  double seconds = 0;
  std::size_t peak_bytes = 0;
  bool succeeded = false;
};

// Runs the program with the arguments (the first one being the program's path) and waits for it.
ProcessRun RunProcess(const std::vector<std::string>& arguments);

}  // namespace tovrel::bench
