#include "tests/e2e/inputmethod/InputMethodSession.h"

#include "tests/e2e/support/E2E.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

InputMethodSession::InputMethodSession(const std::string& qtModule) {
  for (const char* sub : {"config", "data", "cache", "run"}) fs::create_directories(dir_.file(sub));
  fs::permissions(dir_.file("run"), fs::perms::owner_all);
  // The daemons and their engines keep caches and dictionaries under the home.
  Set("HOME", dir_.path());
  Set("XDG_CONFIG_HOME", dir_.file("config"));
  Set("XDG_DATA_HOME", dir_.file("data"));
  Set("XDG_CACHE_HOME", dir_.file("cache"));
  Set("XDG_RUNTIME_DIR", dir_.file("run"));
  Set("QT_IM_MODULE", qtModule);

  // dbus-launch prints the new bus's address and the pid of its daemon.
  const std::string bus = RunCommand("dbus-launch 2>/dev/null");
  std::smatch address, pid;
  if (!std::regex_search(bus, address, std::regex("DBUS_SESSION_BUS_ADDRESS=(.*)")) ||
      !std::regex_search(bus, pid, std::regex("DBUS_SESSION_BUS_PID=([0-9]+)")))
    return;
  busPid_ = std::stoi(pid[1]);
  Set("DBUS_SESSION_BUS_ADDRESS", address[1].str());
}

InputMethodSession::~InputMethodSession() {
  if (daemonPid_ > 0) {
    ::kill(daemonPid_, SIGTERM);
    ::waitpid(daemonPid_, nullptr, 0);
  }
  if (busPid_ > 0) ::kill(busPid_, SIGTERM);  // dbus-launch's daemon, not a child of ours
  for (const auto& [name, value] : previous_)
    if (value)
      ::setenv(name.c_str(), value->c_str(), 1);
    else
      ::unsetenv(name.c_str());
}

void InputMethodSession::Set(const std::string& name, const std::string& value) {
  if (!previous_.count(name)) {
    const char* old = std::getenv(name.c_str());
    previous_[name] = old ? std::optional<std::string>(old) : std::nullopt;
  }
  ::setenv(name.c_str(), value.c_str(), 1);
}

void InputMethodSession::StartDaemon(const std::vector<std::string>& argv,
                                     const std::map<std::string, std::string>& extra,
                                     const std::function<bool()>& ready) {
  if (busPid_ <= 0) return;
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    if (!extra.count(variable.substr(0, variable.find('=')))) variables.push_back(variable);
  }
  for (const auto& [name, value] : extra) variables.push_back(name + "=" + value);
  std::vector<char*> envp, args;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  std::vector<std::string> words = argv;
  for (std::string& word : words) args.push_back(word.data());
  args.push_back(nullptr);

  posix_spawn_file_actions_t quiet;
  ::posix_spawn_file_actions_init(&quiet);
  ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  if (::posix_spawnp(&daemonPid_, args[0], &quiet, nullptr, args.data(), envp.data()) != 0)
    daemonPid_ = -1;
  ::posix_spawn_file_actions_destroy(&quiet);
  for (int i = 0; i < 100 && daemonPid_ > 0 && !running_; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    running_ = ready();
  }
}
