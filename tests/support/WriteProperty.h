#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/Platform.h"
#include "text/Text.h"

namespace tovrel::test {

// A random settings file, node path and value, drawn from `below`, which gives a number from 0
// up to its bound: a seeded generator in the test suite, the fuzzer's bytes in the fuzz target.
class RandomWrite {
 public:
  using Below = std::function<int(int bound)>;
  explicit RandomWrite(Below below);

  std::string document;
  std::string path;
  std::string value;

 private:
  std::string Pick(std::initializer_list<const char*> choices);
  std::string Name();
  void Element(std::string& xml, const std::string& name, int depth);
  void Draw();

  Below below_;
};

// The promises of a write: 1 means the file reads back the value where a read looks, only one
// span of its bytes changed, and the same write again changes nothing; 0 means not one byte
// changed. Writes the case's document to `file` (`library_file` to the library), makes the write
// and gives what broke, or nothing. `written` tells whether the write answered 1.
std::string BrokenWritePromise(const Platform& platform, const std::filesystem::path& file,
                               const WideText& library_file, const RandomWrite& write,
                               bool& written);

}  // namespace tovrel::test
