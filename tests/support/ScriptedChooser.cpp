#ifndef _WIN32
#include "support/ScriptedChooser.h"

#include <sys/stat.h>

namespace tovrel::test {

ScriptedChooser::ScriptedChooser(std::string_view name)
    : program_(dir_.Write(name,
                          "#!/bin/sh\n"
                          "printf '%s\\n' \"$@\" > \"$0.args\"\n"
                          "printf '%s\\n' \"$ANSWER\"\n"
                          "exit \"$STATUS\"\n")) {
  ::chmod(program_.c_str(), 0755);
}

std::string ScriptedChooser::Arguments() const {
  return ReadBytes(program_.string() + ".args");
}

}  // namespace tovrel::test
#endif
