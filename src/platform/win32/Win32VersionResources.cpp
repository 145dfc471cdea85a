#include "platform/win32/Win32VersionResources.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/DevicePath.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

// The buffer that GetFileVersionInfoW filled, owned here and queried with VerQueryValueW.
// VerQueryValueW trusts the lengths inside the buffer, so every pointer it gives back is checked
// against the buffer before it is read.
class Win32VersionInfo final : public VersionInfo {
 public:
  explicit Win32VersionInfo(std::vector<BYTE> buffer) : buffer_(std::move(buffer)) {}

  [[nodiscard]] std::optional<WideText> QueryText(WideView path) const override {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer_.data(), AsWide(WideText(path)), &value, &length)) {
      return std::nullopt;
    }
    // The value holds at most its recorded length and ends at its first NUL; an entry recorded
    // without a value has no text, whatever bytes follow it.
    const std::size_t room = BytesFrom(value) / sizeof(wchar_t);
    const auto* chars = static_cast<const wchar_t*>(value);
    std::size_t count = 0;
    while (count < length && count < room && chars[count] != L'\0') ++count;
    return FromWide(chars, count);
  }

  [[nodiscard]] std::optional<FixedFileVersion> FileVersion() const override {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer_.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO) || BytesFrom(value) < sizeof(VS_FIXEDFILEINFO)) {
      return std::nullopt;
    }
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, value, sizeof fixed);
    return FixedFileVersion{fixed.dwFileVersionMS, fixed.dwFileVersionLS};
  }

  // GetFileVersionInfoW copies the resource to the start of the buffer and may append room of its
  // own after it; the root block's first word is the resource's length.
  [[nodiscard]] std::span<const std::uint8_t> ResourceBytes() const override {
    if (buffer_.size() < sizeof(WORD)) return {};
    WORD length = 0;
    std::memcpy(&length, buffer_.data(), sizeof length);
    return {buffer_.data(), std::min<std::size_t>(length, buffer_.size())};
  }

 private:
  // How many bytes of the buffer lie from the pointer on; 0 when it points outside.
  [[nodiscard]] std::size_t BytesFrom(const void* pointer) const {
    const auto at = reinterpret_cast<std::uintptr_t>(pointer);
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer_.data());
    const std::uintptr_t end = begin + buffer_.size();
    return at >= begin && at <= end ? end - at : 0;
  }

  std::vector<BYTE> buffer_;
};

}  // namespace

std::unique_ptr<const VersionInfo> Win32VersionResources::Read(WideView file_name) const {
  // Version resources are read by name; a device or a pipe could keep the read waiting.
  if (NamesDevice(file_name)) return nullptr;
  const WideText name(file_name);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(AsWide(name), &ignored);
  if (size == 0) return nullptr;
  std::vector<BYTE> buffer(size);
  if (!GetFileVersionInfoW(AsWide(name), 0, size, buffer.data())) return nullptr;
  return std::make_unique<Win32VersionInfo>(std::move(buffer));
}

}  // namespace tovrel::win32
