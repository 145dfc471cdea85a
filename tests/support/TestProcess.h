#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tovrel::test {

// Another run of this test program, running only the named test (disabled ones included), with
// some environment variables added, so that a test can watch several processes at work at once.
class TestProcess {
 public:
  using Environment = std::vector<std::pair<std::string, std::string>>;

  TestProcess(const std::string& test_name, const Environment& environment);
  TestProcess(TestProcess&& other) noexcept;
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;
  TestProcess& operator=(TestProcess&&) = delete;
  // Waits for the process if no one did.
  ~TestProcess();

  // Waits for it to end; true when it started and its test passed.
  bool Passed();

 private:
#ifdef _WIN32
  void* process_ = nullptr;
#else
  int pid_ = -1;
#endif
};

}  // namespace tovrel::test
