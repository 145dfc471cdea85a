#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace tovrel {

// Orders names as Windows orders registry keys: without regard to case.
struct IgnoreCaseLess {
  bool operator()(WideView a, WideView b) const;
  using is_transparent = void;
};

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// A value as the registry stores it: its type and its raw bytes (text in UTF-16LE).
struct RegistryValue {
  std::uint32_t type = kRegSz;
  std::string data;
};

// The deepest key Windows creates: this many names below a root.
inline constexpr std::size_t kMaxKeyDepth = 512;

// A registry held in memory: keys with their values and subkeys, names kept in the case they
// were first written in and compared without regard to case.
class RegistryTree {
 public:
  struct Key {
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    // Frees the subkeys level by level rather than recursively, so that no depth of keys can
    // exhaust the stack.
    ~Key();

    std::map<WideText, std::unique_ptr<Key>, IgnoreCaseLess> subkeys;
    std::map<WideText, RegistryValue, IgnoreCaseLess> values;
  };

  // The key at the path (backslash-separated, empty names skipped); null when missing.
  [[nodiscard]] const Key* Find(RegistryRoot root, WideView path) const;
  // The key at the path, made with its parents when missing.
  Key& Create(RegistryRoot root, WideView path);
  // Removes the key with all its subkeys; nothing when it is missing.
  void Delete(RegistryRoot root, WideView path);

 private:
  std::map<RegistryRoot, Key> roots_;
};

// The backslash-separated names of a path, empty ones skipped.
std::vector<WideView> SplitKeyPath(WideView path);

// The text of a string value's data, cut at its first NUL; what reading a value as a string
// gives (RegistryKey::ReadString) when the value is in memory.
[[nodiscard]] WideText ReadStringValue(const RegistryTree::Key& key, WideView value_name);

}  // namespace tovrel
