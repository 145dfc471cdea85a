#include "platform/portable/posix/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

#include "platform/portable/posix/UniqueFd.h"

extern char** environ;

namespace tovrel::portable {
namespace {

class SpawnFileActions {
 public:
  SpawnFileActions() {
    if (::posix_spawn_file_actions_init(&actions_) != 0) throw std::runtime_error("spawn actions");
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;
  ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

// A started child that is always reaped. One abandoned on an error path is killed first, as
// nobody is left to read what it writes.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      static_cast<void>(Wait());
    }
  }

  // The status waitpid reports; -1 when the child cannot be waited for.
  int Wait() {
    int status = -1;
    while (::waitpid(pid_, &status, 0) < 0) {
      if (errno != EINTR) {
        status = -1;
        break;
      }
    }
    pid_ = 0;
    return status;
  }

 private:
  pid_t pid_;
};

}  // namespace

std::optional<std::string> RunForOutput(const std::vector<std::string>& command) {
  if (command.empty()) return std::nullopt;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  UniqueFd read_end(ends[0]);
  UniqueFd write_end(ends[1]);

  SpawnFileActions actions;
  if (::posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0) !=
          0 ||
      ::posix_spawn_file_actions_adddup2(actions.get(), write_end.get(), STDOUT_FILENO) != 0) {
    return std::nullopt;
  }
  std::vector<char*> argv;
  for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  Child child(pid);
  // The child holds its own copy; ours must go for the read below to see the end.
  write_end = UniqueFd();

  std::string output;
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::read(read_end.get(), chunk, sizeof chunk);
    if (got > 0) {
      output.append(chunk, static_cast<std::size_t>(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  const int status = child.Wait();
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace tovrel::portable
