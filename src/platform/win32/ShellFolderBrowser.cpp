#include "platform/win32/ShellFolderBrowser.h"

#include <windows.h>

#include <shlobj.h>

#include <new>

#include "platform/win32/ComPtr.h"
#include "platform/win32/SelectDirCallback.h"
#include "platform/win32/ShellAllocation.h"
#include "platform/win32/ThreadWindowsDisabled.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

// Sets the process's error mode for as long as it lives and then puts the previous one back.
class ErrorModeSet {
 public:
  explicit ErrorModeSet(UINT mode) : previous_(SetErrorMode(mode)) {}
  ErrorModeSet(const ErrorModeSet&) = delete;
  ErrorModeSet& operator=(const ErrorModeSet&) = delete;
  ~ErrorModeSet() { SetErrorMode(previous_); }

 private:
  UINT previous_;
};

// The item identifier list of the root through the desktop folder; empty when the shell cannot
// parse it, so that the tree starts at the desktop.
void ParseRoot(WideView root, ShellAllocation<ITEMIDLIST>& list) {
  if (root.empty()) return;
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put())) || !desktop) return;
  WideText name(root);
  static_cast<void>(desktop->ParseDisplayName(
      nullptr, nullptr, reinterpret_cast<wchar_t*>(name.data()), nullptr, list.put(), nullptr));
}

}  // namespace

bool ShellFolderBrowser::IsExistingFolder(WideView path) const {
  if (path.empty()) return false;
  const WideText owned(path);
  const DWORD attributes = GetFileAttributesW(AsWide(owned));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<WideText> ShellFolderBrowser::Browse(const FolderBrowseRequest& request) const {
  ComPtr<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.put())) || !allocator) return std::nullopt;

  ShellAllocation<wchar_t> buffer(allocator);
  *buffer.put() = static_cast<wchar_t*>(allocator->Alloc(MAX_PATH * sizeof(wchar_t)));
  if (!buffer) throw std::bad_alloc();
  buffer.get()[0] = L'\0';
  ShellAllocation<ITEMIDLIST> root(allocator);
  ParseRoot(request.root, root);

  BROWSEINFOW browse{};
  browse.hwndOwner = nullptr;
  browse.pidlRoot = root.get();
  browse.pszDisplayName = buffer.get();
  browse.lpszTitle = AsWide(request.caption);
  browse.ulFlags = request.options;
  browse.lpfn = &TSelectDirCallback::Procedure;
  const TSelectDirCallback callback(request.initial_directory);
  browse.lParam = callback.Data();

  ShellAllocation<ITEMIDLIST> chosen(allocator);
  {
    const ThreadWindowsDisabled host_windows;
    const ErrorModeSet silent(SEM_FAILCRITICALERRORS);
    *chosen.put() = SHBrowseForFolderW(&browse);
  }
  if (!chosen) return std::nullopt;
  // The buffer still holds the folder's display name when the list names no file-system folder.
  if (!SHGetPathFromIDListW(chosen.get(), buffer.get())) return std::nullopt;
  return FromWide(buffer.get());
}

}  // namespace tovrel::win32
