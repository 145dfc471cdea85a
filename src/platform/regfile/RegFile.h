#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/AnsiCodePage.h"
#include "platform/regfile/RegistryTree.h"

namespace tovrel {

// A .reg file that cannot be read; the message starts with "<file>:<line>: ".
class RegFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Applies the keys, values and deletions of a .reg file, as the registry editor and
// "reg import" read it, to the tree: "Windows Registry Editor Version 5.00" in UTF-16LE with a
// byte-order mark, or "REGEDIT4" in the ANSI code page. Raises RegFileError, naming the file and
// the line, for a file it cannot read entirely; the tree may then hold part of the file, so a
// caller that must not keep half a file discards the tree.
void ApplyRegFile(RegistryTree& tree, std::string_view bytes, const AnsiCodePage& code_page,
                  std::string_view file_name);

}  // namespace tovrel
