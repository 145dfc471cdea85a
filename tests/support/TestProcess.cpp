#include "support/TestProcess.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
extern char** environ;
#endif

namespace tovrel::test {
namespace {

std::string Filter(const std::string& test_name) {
  return "--gtest_filter=" + test_name;
}

constexpr char kAlsoDisabled[] = "--gtest_also_run_disabled_tests";

}  // namespace

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

TestProcess::TestProcess(const std::string& test_name, const Environment& environment) {
  wchar_t program[MAX_PATH]{};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring command = L"\"" + std::wstring(program, length) + L"\" " + Widen(Filter(test_name)) +
                         L" " + Widen(kAlsoDisabled);
  // This process's variables, then the added ones, each ending in a zero, and one more zero.
  std::wstring block;
  if (wchar_t* own = GetEnvironmentStringsW()) {
    const wchar_t* end = own;
    while (*end != L'\0') end += std::wcslen(end) + 1;
    block.assign(own, static_cast<std::size_t>(end - own));
    FreeEnvironmentStringsW(own);
  }
  for (const auto& [name, value] : environment) {
    block += Widen(name) + L"=" + Widen(value);
    block.push_back(L'\0');
  }
  block.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                     block.data(), nullptr, &startup, &started)) {
    CloseHandle(started.hThread);
    process_ = started.hProcess;
  }
}

TestProcess::TestProcess(TestProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)) {}

TestProcess::~TestProcess() {
  Passed();
}

bool TestProcess::Passed() {
  const HANDLE process = std::exchange(process_, nullptr);
  if (process == nullptr) return false;
  DWORD code = 1;
  const bool ended =
      WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return ended && code == 0;
}

#else

TestProcess::TestProcess(const std::string& test_name, const Environment& environment) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable)
    variables.emplace_back(*variable);
  for (const auto& [name, value] : environment) variables.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  std::string program = "/proc/self/exe";
  std::string filter = Filter(test_name);
  std::string also_disabled = kAlsoDisabled;
  char* argv[] = {program.data(), filter.data(), also_disabled.data(), nullptr};
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0) pid_ = pid;
}

TestProcess::TestProcess(TestProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}

TestProcess::~TestProcess() {
  Passed();
}

bool TestProcess::Passed() {
  const int pid = std::exchange(pid_, -1);
  if (pid < 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

}  // namespace tovrel::test
