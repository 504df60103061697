#include "tests/e2e/inputmethod/Fcitx5Session.h"

#include "tests/e2e/support/E2E.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR",
                                      "DBUS_SESSION_BUS_ADDRESS", "QT_IM_MODULE"};

}  // namespace

Fcitx5Session::Fcitx5Session() {
  std::string dir = "/tmp/wex-fcitx5-XXXXXX";
  dir_ = ::mkdtemp(dir.data());
  fs::create_directories(dir_ + "/config/fcitx5");
  fs::create_directories(dir_ + "/data");
  fs::create_directories(dir_ + "/run");
  fs::permissions(dir_ + "/run", fs::perms::owner_all);
  std::ofstream(dir_ + "/config/fcitx5/profile")
      << "[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=anthy\n\n"
         "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
         "[Groups/0/Items/1]\nName=anthy\nLayout=\n\n"
         "[GroupOrder]\n0=Default\n";
  ::setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", (dir_ + "/run").c_str(), 1);
  ::setenv("QT_IM_MODULE", "fcitx", 1);

  // dbus-launch prints the new bus's address and the pid of its daemon.
  const std::string bus = RunCommand("dbus-launch 2>/dev/null");
  std::smatch address, pid;
  if (!std::regex_search(bus, address, std::regex("DBUS_SESSION_BUS_ADDRESS=(.*)")) ||
      !std::regex_search(bus, pid, std::regex("DBUS_SESSION_BUS_PID=([0-9]+)")))
    return;
  busPid_ = std::stoi(pid[1]);
  ::setenv("DBUS_SESSION_BUS_ADDRESS", address[1].str().c_str(), 1);

  posix_spawn_file_actions_t quiet;
  ::posix_spawn_file_actions_init(&quiet);
  ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  std::string program = "fcitx5";
  char* argv[] = {program.data(), nullptr};
  if (::posix_spawnp(&fcitxPid_, "fcitx5", &quiet, nullptr, argv, environ) != 0) fcitxPid_ = -1;
  ::posix_spawn_file_actions_destroy(&quiet);
  for (int i = 0; i < 100 && fcitxPid_ > 0 && !running_; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    running_ = State() >= 0;
  }
}

Fcitx5Session::~Fcitx5Session() {
  if (fcitxPid_ > 0) {
    ::kill(fcitxPid_, SIGTERM);
    ::waitpid(fcitxPid_, nullptr, 0);
  }
  if (busPid_ > 0) ::kill(busPid_, SIGTERM);  // dbus-launch's daemon, not a child of ours
  for (const char* name : kVariables) ::unsetenv(name);
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

int Fcitx5Session::State() {
  const std::string answer = RunCommand("fcitx5-remote 2>/dev/null");
  return answer.size() == 1 && answer[0] >= '0' && answer[0] <= '2' ? answer[0] - '0' : -1;
}
