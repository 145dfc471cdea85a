#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

#include <filesystem>
#include <iostream>

#include "support/TestRegistry.h"
#include "text/Utf16Le.h"
#ifdef _WIN32
#include "platform/win32/UniqueAny.h"
#endif

namespace tovrel::test {

std::string Utf16File(WideView text) {
  std::string bytes = "\xFF\xFE";
  bytes += EncodeUtf16Le(text);
  return bytes;
}

std::string UnicodeRegFile(WideView lines) {
  WideText text = u"Windows Registry Editor Version 5.00\r\n\r\n";
  for (char16_t c : lines) {
    if (c == u'\n') text.push_back(u'\r');
    text.push_back(c);
  }
  return Utf16File(text);
}

#ifdef _WIN32

TestRegistry::TestRegistry() = default;
TestRegistry::~TestRegistry() = default;

int RunSystemProgram(WideView command_line) {
  std::wstring command(command_line.begin(), command_line.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  const win32::UniqueAny<HANDLE, ::CloseHandle> thread(process.hThread);
  const win32::UniqueAny<HANDLE, ::CloseHandle> owned(process.hProcess);
  WaitForSingleObject(owned.get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(owned.get(), &code);
  return static_cast<int>(code);
}

bool TestRegistry::Import(std::string_view name, std::string_view bytes) const {
  const auto file = dir_.Write(std::string(name) + ".reg", bytes);
  const int code = RunSystemProgram(u"reg.exe import \"" + file.u16string() + u"\" /reg:32");
  if (code != 0) std::cerr << "reg import " << file.string() << " exited with " << code << "\n";
  return code == 0;
}

#else

TestRegistry::TestRegistry() {
  std::filesystem::create_directories(dir_.path() / "registry");
  setenv("TOVREL_MACHINE", dir_.path().c_str(), 1);
}

TestRegistry::~TestRegistry() {
  unsetenv("TOVREL_MACHINE");
}

bool TestRegistry::Import(std::string_view name, std::string_view bytes) const {
  dir_.Write("registry/" + std::string(name) + ".reg", bytes);
  return true;
}

#endif

}  // namespace tovrel::test
