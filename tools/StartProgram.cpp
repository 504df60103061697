#include "tools/StartProgram.h"

#include "tools/CommandLineRules.h"

#include <spawn.h>
#include <sys/wait.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// Holds the spawn attributes and file actions for one call.
class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    ::posix_spawnattr_setsigdefault(&attr_, &all);
    ::posix_spawnattr_setsigmask(&attr_, &none);
    ::posix_spawnattr_setflags(&attr_,
                               POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  const posix_spawnattr_t* attr() const { return &attr_; }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

// Returns once process `pid`, a child of ours, has ended and been reaped.
void WaitForEnd(pid_t pid) {
  while (::waitpid(pid, nullptr, 0) < 0) {
    if (errno == EINTR) continue;
    // "No such child": someone else reaps it (SIGCHLD ignored, or a waitpid(-1)
    // elsewhere), which says nothing about whether it still runs. It has ended
    // once no process has its id any more.
    while (::kill(pid, 0) == 0 || errno == EPERM)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return;
  }
}

}  // namespace

std::optional<StartedProgram> StartProgram(std::string_view commandLine) {
  const char* path = std::getenv("PATH");
  std::optional<ToolCommand> command =
      ResolveCommandLine(commandLine, path ? path : "/usr/local/bin:/usr/bin:/bin");
  if (!command) return std::nullopt;

  std::vector<char*> argv;
  for (std::string& argument : command->argv) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const SpawnSetup setup;
  pid_t pid = -1;
  // posix_spawn reports a failed exec itself and leaves no child behind.
  if (::posix_spawn(&pid, command->program.c_str(), setup.actions(), setup.attr(), argv.data(),
                    environ) != 0)
    return std::nullopt;

  auto exited = std::make_shared<std::atomic<bool>>(false);
  std::thread([pid, exited] {
    WaitForEnd(pid);
    exited->store(true);
  }).detach();
  return StartedProgram{pid, exited};
}
