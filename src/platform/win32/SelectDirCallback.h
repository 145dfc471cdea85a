#pragma once

#include <windows.h>

#include "text/Text.h"

namespace tovrel::win32 {

// The context of the folder browser's callback: the folder the tree opens on (empty for none).
// The browser is given Procedure with this object as its data.
class TSelectDirCallback {
 public:
  explicit TSelectDirCallback(WideText initial_directory)
      : initial_directory_(std::move(initial_directory)) {}

  // Centres the dialog on the primary monitor when it is ready and selects the initial folder;
  // every other message is left alone. Always gives 0.
  static int CALLBACK Procedure(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

  [[nodiscard]] LPARAM Data() const { return reinterpret_cast<LPARAM>(this); }

 private:
  void Initialize(HWND dialog) const;

  WideText initial_directory_;
};

}  // namespace tovrel::win32
