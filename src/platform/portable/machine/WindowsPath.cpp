#include "platform/portable/machine/WindowsPath.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/portable/machine/NativePath.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

std::filesystem::path Canonical(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? path.lexically_normal() : canonical;
}

}  // namespace

WideText WindowsPath(const std::filesystem::path& native) {
  const WideText as_is = FromUtf8(native.string());
  const std::filesystem::path root = MachineRoot();
  if (root.empty()) return as_is;
  const std::filesystem::path drives = Canonical(root / "drives");
  const std::filesystem::path path = Canonical(native);
  const auto [in_drives, in_path] =
      std::mismatch(drives.begin(), drives.end(), path.begin(), path.end());
  if (in_drives != drives.end() || in_path == path.end()) return as_is;
  const std::string letter = in_path->string();
  if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) return as_is;

  WideText windows{UpperAscii(static_cast<char16_t>(letter[0])), u':', u'\\'};
  bool first = true;
  for (auto component = std::next(in_path); component != path.end(); ++component) {
    if (component->empty()) continue;
    if (!first) windows += u'\\';
    windows += FromUtf8(component->string());
    first = false;
  }
  return windows;
}

}  // namespace tovrel::portable
