#include "tests/e2e/support/E2E.h"

#include <QRegularExpression>
#include <QString>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

WexInstall::WexInstall() {
  std::string dir = "/tmp/wex-e2e-XXXXXX";
  dir_ = ::mkdtemp(dir.data());
  // The program and its plug-ins only: a settings or data file left in the build
  // directory by a hand-run program must not leak into the test.
  for (const auto& entry : fs::directory_iterator(WEX_BIN_DIR)) {
    const fs::path name = entry.path().filename();
    if (entry.is_regular_file() && (name == "wex" || name.extension() == ".wpi"))
      fs::copy_file(entry.path(), dir_ / name);
  }
}

std::string WexInstall::settingsPath() const { return SettingsFileIn(dir_); }

std::string SettingsFileIn(const std::string& dir) {
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(dir, missing)) {
    std::string name = entry.path().filename();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "wex.ini") return entry.path();
  }
  return {};
}

WexInstall::~WexInstall() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

WexProcess::WexProcess(const WexInstall& install, const std::vector<std::string>& args)
    : WexProcess([&] {
        std::vector<std::string> command{install.dir() + "/wex"};
        command.insert(command.end(), args.begin(), args.end());
        return command;
      }()) {}

WexProcess::WexProcess(const std::vector<std::string>& command) {
  std::vector<std::string> copies(command);
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (::posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
}

WexProcess::~WexProcess() {
  if (pid_ > 0 && Wait(0) == -1) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

int WexProcess::Wait(double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < end);
  return -1;
}

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

std::string WaitForWindow(const std::string& title, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    std::string id = RunCommand("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n1");
    if (!id.empty()) return id;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < end);
  return {};
}

std::string KeysUntilWindow(const std::string& window, const std::string& keys,
                            const std::string& title) {
  std::string shown;
  for (int attempt = 0; attempt < 3 && shown.empty(); ++attempt) {
    RunCommand("xdotool windowactivate --sync " + window + " key " + keys);
    shown = WaitForWindow(title, 5);
  }
  return shown;
}

int CloseWindow(const std::string& window, WexProcess& process, double seconds) {
  // A key sent before the window manager has taken the window in is lost, so
  // the request is repeated until the program ends.
  for (double waited = 0; waited < seconds; waited += 1) {
    RunCommand("xdotool windowactivate --sync " + window + " key alt+F4 2>/dev/null");
    const int status = process.Wait(1);
    if (status != -1) return status;
  }
  return -1;
}

QRect OuterRect(const std::string& window) {
  const QString tree = QString::fromStdString(RunCommand("xwininfo -tree -id " + window));
  const QRegularExpressionMatch parent = QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(tree);
  if (!parent.hasMatch()) return {};
  const QString info =
      QString::fromStdString(RunCommand("xwininfo -id " + parent.captured(1).toStdString()));
  const auto field = [&info](const char* name) {
    return QRegularExpression(QString(name) + ":\\s+(-?[0-9]+)").match(info).captured(1).toInt();
  };
  return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
               field("Height"));
}

QRect WaitForOuterRect(const std::string& window, const std::function<bool(const QRect&)>& expected) {
  QRect rect;
  for (int i = 0; i < 50; ++i) {
    rect = OuterRect(window);
    if (expected(rect)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return rect;
}

QRect WaitForOuterRect(const std::string& window, const QRect& expected) {
  return WaitForOuterRect(window, [&expected](const QRect& rect) { return rect == expected; });
}

