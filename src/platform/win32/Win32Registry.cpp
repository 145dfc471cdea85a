#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/UniqueAny.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

using UniqueHkey = UniqueAny<HKEY, ::RegCloseKey>;

// The predefined handles are the root values sign-extended to the pointer's width.
HKEY RootHandle(RegistryRoot root) {
  const auto value = static_cast<LONG>(static_cast<std::uint32_t>(root));
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(value)));
}

constexpr REGSAM kAccess = sizeof(void*) == 8 ? KEY_READ | KEY_WOW64_32KEY : KEY_READ;

class Win32Key final : public RegistryKey {
 public:
  explicit Win32Key(UniqueHkey key) : key_(std::move(key)) {}

  [[nodiscard]] WideText ReadString(WideView value_name) const override {
    const WideText name(value_name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0) {
      return {};
    }
    std::vector<wchar_t> data;
    LSTATUS status = ERROR_MORE_DATA;
    // The value may grow between the two calls; the buffer follows it.
    while (status == ERROR_MORE_DATA) {
      data.assign(size / sizeof(wchar_t) + 1, L'\0');
      size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      status = RegQueryValueExW(key_.get(), AsWide(name), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (status != ERROR_SUCCESS) {
      throw RegistryError(u"Failed to get data for '" + name + u"'");
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      throw RegistryError(u"Invalid data type for '" + name + u"'");
    }
    const std::size_t units = std::min<std::size_t>(size / sizeof(wchar_t), data.size());
    const auto end =
        std::find(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(units), L'\0');
    return FromWide(data.data(), static_cast<std::size_t>(end - data.begin()));
  }

  [[nodiscard]] std::vector<WideText> GetKeyNames() const override {
    std::vector<WideText> names;
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.reserve(count);
    std::vector<wchar_t> name(longest + 1);
    DWORD index = 0;
    for (;;) {
      auto length = static_cast<DWORD>(name.size());
      const LSTATUS status = RegEnumKeyExW(key_.get(), index, name.data(), &length, nullptr,
                                           nullptr, nullptr, nullptr);
      if (status == ERROR_MORE_DATA) {
        // A longer name was added since the key was asked for its longest one.
        name.resize(name.size() * 2);
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      names.push_back(FromWide(name.data(), length));
      ++index;
    }
    return names;
  }

 private:
  UniqueHkey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, WideView path) const {
  const WideText subkey(path);
  UniqueHkey key;
  if (RegOpenKeyExW(RootHandle(root), AsWide(subkey), 0, kAccess, key.put()) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32Key>(std::move(key));
}

}  // namespace tovrel::win32
