// Stands in for an installer that asks for a folder: it shows a top-level window of its own on
// its main thread, calls SelDirectory(CAPTION, ROOT) there, and prints what the driving script
// checks: the result, whether its window was enabled while the dialog was open and after, and
// where the dialog stood on the screen.
#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "Tovrel.h"

namespace {

constexpr wchar_t kDialogTitle[] = L"Browse for Folder";

HWND CreateInstallerWindow() {
  WNDCLASSW type{};
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = L"TovrelTestInstaller";
  RegisterClassW(&type);
  const HWND window = CreateWindowExW(0, type.lpszClassName, L"Tovrel test installer",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 320, 200, nullptr,
                                      nullptr, type.hInstance, nullptr);
  UpdateWindow(window);
  return window;
}

const char* State(BOOL enabled) {
  return enabled ? "enabled" : "disabled";
}

}  // namespace

int main(int argc, char** argv) {
  const char* caption = argc > 1 ? argv[1] : "";
  const char* root = argc > 2 ? argv[2] : "";
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWND installer = CreateInstallerWindow();
  if (installer == nullptr || !IsWindowEnabled(installer)) {
    std::puts("no installer window");
    return 1;
  }

  // Looks at the open dialog from another thread, as the main one is inside SelDirectory.
  std::atomic<bool> done{false};
  std::string while_open = "unseen";
  RECT dialog{};
  std::thread watcher([&] {
    while (!done) {
      const HWND found = FindWindowW(nullptr, kDialogTitle);
      if (found != nullptr && IsWindowVisible(found)) {
        Sleep(300);
        GetWindowRect(found, &dialog);
        while_open = State(IsWindowEnabled(installer));
        return;
      }
      Sleep(50);
    }
  });
  const std::string result = SelDirectory(caption, root);
  done = true;
  watcher.join();

  std::printf("result=%s\n", result.c_str());
  std::printf("installer-while-open=%s\n", while_open.c_str());
  std::printf("installer-after=%s\n", State(IsWindowEnabled(installer)));
  std::printf("dialog=%ld,%ld,%ld,%ld\n", dialog.left, dialog.top, dialog.right, dialog.bottom);
  std::printf("screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  DestroyWindow(installer);
  CoUninitialize();
  return 0;
}
