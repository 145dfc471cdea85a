#pragma once

#include <windows.h>

#include <vector>

namespace tovrel::win32 {

// Disables every visible, enabled top-level window of the calling thread for as long as it
// lives, so that a modal dialog without an owner keeps the host's windows from taking input;
// enables again each of them that still exists when it goes out of scope.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;
  ~ThreadWindowsDisabled();

 private:
  std::vector<HWND> disabled_;
};

}  // namespace tovrel::win32
