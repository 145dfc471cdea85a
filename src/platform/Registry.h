#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "text/Text.h"

namespace tovrel {

// A registry root by its Windows handle value.
enum class RegistryRoot : std::uint32_t {
  kClassesRoot = 0x80000000,
  kCurrentUser = 0x80000001,
  kLocalMachine = 0x80000002,
  kUsers = 0x80000003,
  kCurrentConfig = 0x80000005,
};

// The root's full name ("HKEY_LOCAL_MACHINE").
[[nodiscard]] WideView RegistryRootName(RegistryRoot root);
// The root a full name or its abbreviation ("HKLM") names, without regard to case.
[[nodiscard]] std::optional<RegistryRoot> RegistryRootByName(WideView name);

// Raised for a value that exists but cannot be read as text, and by the portable backend for a
// sample machine whose registry files cannot be loaded. The message names the value (or the file
// and line).
class RegistryError : public std::runtime_error {
 public:
  explicit RegistryError(WideText message);
  [[nodiscard]] const WideText& message() const { return message_; }

 private:
  WideText message_;
};

// One open key; closed when the object goes.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // The text of a REG_SZ or REG_EXPAND_SZ value as stored (nothing expanded), cut at its first
  // NUL. Empty when the value is missing or has no data. Raises RegistryError "Invalid data type
  // for '<name>'" for a value of another type, "Failed to get data for '<name>'" when its data
  // cannot be read.
  [[nodiscard]] virtual WideText ReadString(WideView value_name) const = 0;

  // The names of the subkeys in the platform's enumeration order (sorted without regard to
  // case); empty when there are none.
  [[nodiscard]] virtual std::vector<WideText> GetKeyNames() const = 0;
};

// The registry as the 32-bit library sees it: the 32-bit view on 64-bit Windows.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key for reading; a path of backslash-separated names under the root, the
  // empty path naming the root itself. Never creates a key. Null when the key is missing or
  // access is refused.
  [[nodiscard]] virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root,
                                                             WideView path) const = 0;

  // The start and the end of one call of the library, marked by its exported function; marks
  // may nest. A registry read from files may read them once per call instead of on every key, so
  // that a call sees one state of the machine.
  virtual void BeginCall() const {}
  virtual void EndCall() const {}
};

// Marks one call of the library on the registry for as long as it lives.
class RegistryCall {
 public:
  explicit RegistryCall(const Registry& registry) : registry_(registry) { registry_.BeginCall(); }
  RegistryCall(const RegistryCall&) = delete;
  RegistryCall& operator=(const RegistryCall&) = delete;
  ~RegistryCall() { registry_.EndCall(); }

 private:
  const Registry& registry_;
};

}  // namespace tovrel
