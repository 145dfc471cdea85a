#pragma once

#include <vector>

#include "config/ConfigSources.h"

namespace tovrel {

// The key part of a backslash-separated path, with a leading "\" and without a trailing one:
// "\A\B" for A\B\C, empty for a path without a backslash.
WideText ExtractRegKeyPath(WideView path);

// The value name of a path: the text after its last "\" (empty, the key's default value, when
// it ends with one), or the whole path when it has none.
WideText ExtractRegValueName(WideView path);

// A registry value as it is stored, before the bracket rule and deciphering.
struct StoredRegValue {
  WideText text;
  bool is_protected = false;
};

// The text of the value that Path names under BasePath (BasePath followed by Path's key part,
// Path's value name), after the bracket rule, a protected one deciphered (AES with the registry's
// key and vector texts). A missing or empty value reads as Default, which also goes through the
// bracket rule; "Err" when the key cannot be opened. Raises RegistryError for a value that is not
// text. `stored`, when given, receives the value as stored.
WideText ReadRegValue(const ConfigSources& sources, RegistryRoot root, WideView base_path,
                      WideView path, WideView default_value = {}, StoredRegValue* stored = nullptr);

// Replaces the list with the subkey names of the key that BasePath and Path's key part name, in
// the platform's order; the list is left empty when the key cannot be opened.
void ReadRegKeyNames(const ConfigSources& sources, RegistryRoot root, WideView base_path,
                     WideView path, std::vector<WideText>& list);

}  // namespace tovrel
