#include "platform/portable/NativePath.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/Utf8.h"

namespace tovrel::portable {
namespace {

bool IsDriveLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsSlash(char16_t c) {
  return c == u'\\' || c == u'/';
}

// The entry of `directory` whose name matches `component` without regard to case; the component
// itself when the directory has no such entry, so that a file can still be created under it.
std::filesystem::path MatchComponent(const std::filesystem::path& directory, WideView component) {
  const std::filesystem::path exact = directory / ToUtf8(component);
  std::error_code error;
  if (std::filesystem::exists(exact, error)) return exact;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    if (EqualsIgnoreCase(FromUtf8(entry.path().filename().string()), component))
      return entry.path();
  }
  return exact;
}

}  // namespace

std::filesystem::path MachineRoot() {
  const char* root = std::getenv("TOVREL_MACHINE");
  return root ? std::filesystem::path(root) : std::filesystem::path();
}

std::string NativePath(WideView path) {
  if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) return {};
  const bool drive_path = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':';
  if (!drive_path) return ToUtf8(path);
  const std::filesystem::path root = MachineRoot();
  if (root.empty()) return {};
  // Each component resolved so far; ".." goes back one, never above the drive's own folder,
  // as Windows resolves a path within its drive.
  std::vector<std::filesystem::path> resolved{
      root / "drives" / std::string(1, static_cast<char>(UpperAscii(path[0]) - u'A' + 'a'))};
  std::size_t start = 2;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSlash(path[end])) ++end;
    const WideView component = path.substr(start, end - start);
    if (component == u"..") {
      if (resolved.size() > 1) resolved.pop_back();
    } else if (!component.empty() && component != u".") {
      resolved.push_back(MatchComponent(resolved.back(), component));
    }
    start = end + 1;
  }
  std::filesystem::path native = resolved.back();
  // A trailing separator names the directory itself, as on Windows.
  if (IsSlash(path.back())) native /= "";
  return native.string();
}

}  // namespace tovrel::portable
