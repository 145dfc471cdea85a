#include "platform/portable/machine/NativePath.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

bool IsDriveLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsSlash(char16_t c) {
  return c == u'\\' || c == u'/';
}

// Appends "/" and the entry of the folder that `native` names whose name matches `component`
// without regard to case. False, with the component appended as it is, when the folder holds no
// such entry (or is missing), so that a file can still be created under that name.
bool AppendMatch(std::string& native, WideView component) {
  const std::size_t folder_end = native.size();
  native += '/';
  native += ToUtf8(component);
  std::error_code error;
  if (std::filesystem::exists(native, error)) return true;
  for (const auto& entry :
       std::filesystem::directory_iterator(native.substr(0, folder_end), error)) {
    const std::string name = entry.path().filename().string();
    if (EqualsIgnoreCase(FromUtf8(name), component)) {
      native.resize(folder_end + 1);
      native += name;
      return true;
    }
  }
  return false;
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
  // "." and ".." are settled by name first, as Windows settles them: ".." goes back one
  // component, never above the drive's own folder.
  std::vector<WideView> components;
  std::size_t start = 2;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSlash(path[end])) ++end;
    const WideView component = path.substr(start, end - start);
    if (component == u"..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != u".") {
      components.push_back(component);
    }
    start = end + 1;
  }
  // One running path, matched against the disk up to the first component that is not there;
  // nothing can lie below that one, so the rest is taken as it is.
  std::string native =
      (root / "drives" / std::string(1, static_cast<char>(UpperAscii(path[0]) - u'A' + 'a')))
          .string();
  bool on_disk = true;
  for (const WideView component : components) {
    if (on_disk) {
      on_disk = AppendMatch(native, component);
    } else {
      native += '/';
      native += ToUtf8(component);
    }
  }
  // A trailing separator names the directory itself, as on Windows.
  if (IsSlash(path.back())) native += '/';
  return native;
}

}  // namespace tovrel::portable
