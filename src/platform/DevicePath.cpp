#include "platform/DevicePath.h"

#include <array>

namespace tovrel {
namespace {

bool IsSlash(char16_t c) {
  return c == u'\\' || c == u'/';
}

// Whether the text starts with the prefix, the prefix's slashes matching either slash and its
// letters either case.
bool StartsWithFolded(WideView text, WideView prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const bool same =
        IsSlash(prefix[i]) ? IsSlash(text[i]) : UpperAscii(text[i]) == UpperAscii(prefix[i]);
    if (!same) return false;
  }
  return true;
}

// Whether the first component of the text is "pipe" or "mailslot", the names under which Windows
// serves both on every machine.
bool StartsWithPipeFolder(WideView text) {
  return StartsWithFolded(text, u"pipe\\") || StartsWithFolded(text, u"mailslot\\") ||
         EqualsIgnoreCase(text, u"pipe") || EqualsIgnoreCase(text, u"mailslot");
}

// Whether the component is a name that Windows gives to a device in every folder: "NUL",
// "nul.xml", "COM1 .txt".
bool IsReservedDeviceName(WideView component) {
  WideView base = component.substr(0, component.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  static constexpr std::array<std::u16string_view, 6> kNames = {u"CON", u"PRN",    u"AUX",
                                                                u"NUL", u"CONIN$", u"CONOUT$"};
  for (const WideView name : kNames) {
    if (EqualsIgnoreCase(base, name)) return true;
  }
  return base.size() == 4 && (StartsWithFolded(base, u"COM") || StartsWithFolded(base, u"LPT")) &&
         base[3] >= u'1' && base[3] <= u'9';
}

// The last component of a path: what follows its last slash or the colon of a drive.
WideView LastComponent(WideView path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSlash(path[start - 1]) && path[start - 1] != u':') --start;
  return path.substr(start);
}

}  // namespace

bool NamesDevice(WideView path) {
  if (StartsWithFolded(path, u"\\\\.\\") || StartsWithFolded(path, u"\\?\?\\") ||
      StartsWithFolded(path, u"\\\\?\\GLOBALROOT")) {
    return true;
  }
  WideView server_path;
  if (StartsWithFolded(path, u"\\\\?\\UNC\\")) {
    server_path = path.substr(8);
  } else if (StartsWithFolded(path, u"\\\\?\\")) {
    // "\\?\pipe\name" reaches the pipe as "\\.\pipe\name" does.
    if (StartsWithPipeFolder(path.substr(4))) return true;
  } else if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
    server_path = path.substr(2);
  }
  // "server\pipe\name" is a pipe of that server.
  const std::size_t server_end = server_path.find_first_of(u"\\/");
  if (server_end != WideView::npos && StartsWithPipeFolder(server_path.substr(server_end + 1))) {
    return true;
  }
  return IsReservedDeviceName(LastComponent(path));
}

}  // namespace tovrel
