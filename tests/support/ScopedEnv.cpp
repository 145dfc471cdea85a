#ifndef _WIN32
#include "support/ScopedEnv.h"

#include <cstdlib>

namespace tovrel::test {

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* previous = std::getenv(name)) {
    previous_ = previous;
    had_previous_ = true;
  }
  if (value != nullptr) {
    ::setenv(name, value, 1);
  } else {
    ::unsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (had_previous_) {
    ::setenv(name_, previous_.c_str(), 1);
  } else {
    ::unsetenv(name_);
  }
}

}  // namespace tovrel::test
#endif
