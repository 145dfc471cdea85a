#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "text/Text.h"

namespace tovrel::capture {

// One registry value as it was read: its text, or nullopt for a value that is not text.
struct RecordedValue {
  WideText name;
  std::optional<WideText> text;
};

// A registry key that was opened, or listed as a subkey of one that was, with the values read
// from it. Missing values are not recorded: a missing and an empty value read the same.
struct RecordedKey {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  WideText path;
  std::map<WideText, RecordedValue> values;
};

// The values read from one profile file, by section and key; missing ones are not recorded.
struct RecordedProfileValue {
  WideText section;
  WideText key;
  WideText value;
};
struct RecordedProfile {
  WideText path;
  std::map<std::pair<WideText, WideText>, RecordedProfileValue> values;
};

// One file path that was looked at: whether it exists as a file, and the version resource read
// from it, if any.
struct RecordedFile {
  WideText path;
  bool exists = false;
  std::optional<std::vector<std::uint8_t>> version_resource;
};

// An installed product that a lookup looked into, with the properties and component key paths
// it was given (only those in the local or source state: the others read as absent).
struct RecordedProduct {
  WideText code;
  std::map<WideText, WideText> properties;
  std::map<WideText, WideText> component_paths;
};

// The state of the firewall's current profile; nullopt where it could not be read.
struct RecordedFirewall {
  std::optional<bool> enabled;
  std::optional<bool> exceptions_not_allowed;
};

// Everything the product lookups read from one machine.
struct MachineRecord {
  std::map<std::pair<RegistryRoot, WideText>, RecordedKey> keys;
  std::map<WideText, RecordedProfile> profiles;
  std::map<WideText, RecordedFile> files;
  std::map<WideText, RecordedProduct> products;
  RecordedFirewall firewall;

  // The entry of a key, profile file, file or product, made empty when it is first asked for;
  // an entry asked for again in another case is the same entry, spelled as first asked.
  RecordedKey& Key(RegistryRoot root, WideView path);
  RecordedProfile& Profile(WideView path);
  RecordedFile& File(WideView path);
  RecordedProduct& Product(WideView code);
};

}  // namespace tovrel::capture
