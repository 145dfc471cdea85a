#include "support/BenchFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <random>

extern char** environ;

namespace tovrel::bench {

TempFolder::TempFolder()
    : path_(std::filesystem::temp_directory_path() / "tovrel-bench" /
            std::to_string(std::random_device()())) {
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string SiblingsDocument(std::size_t siblings, bool b_first) {
  std::string a = "<a>";
  for (std::size_t i = 0; i < siblings; ++i) a += "<x/>";
  a += "</a>";
  const std::string b = "<b>ok</b>";
  return "<r>" + (b_first ? b + a : a + b) + "</r>";
}

std::string SettingsDocument(std::size_t bytes) {
  std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r><a>";
  for (std::size_t i = 0; document.size() < bytes; ++i) {
    document += "<x>C:\\Program Files\\App " + std::to_string(i) + "</x>";
  }
  return document + "</a><b>ok</b></r>\n";
}

ProcessRun RunProcess(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peak_bytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

}  // namespace tovrel::bench
