#pragma once

#include <string>

namespace tovrel::test {

// Sets an environment variable for as long as it lives, null unsetting it, and then puts back
// what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv();

 private:
  const char* name_;
  std::string previous_;
  bool had_previous_ = false;
};

}  // namespace tovrel::test
