#pragma once

#include <string>

#include "platform/Registry.h"
#include "text/Text.h"

namespace tovrel::capture {

// A .reg file in the registry editor's Unicode format ("Windows Registry Editor Version 5.00",
// UTF-16LE with a byte-order mark, CRLF), built key by key.
class RegFileText {
 public:
  RegFileText();

  // Starts a key; the values that follow belong to it.
  void AddKey(RegistryRoot root, WideView path);
  // A text value (an empty name is the key's default value). Text with control characters is
  // written as REG_SZ bytes, which quotes cannot hold.
  void AddString(WideView name, WideView text);
  // A value that exists but is not text: it reads as such, whatever number it holds.
  void AddNonText(WideView name);

  [[nodiscard]] std::string Bytes() const;

 private:
  void AddName(WideView name);
  WideText text_;
};

}  // namespace tovrel::capture
