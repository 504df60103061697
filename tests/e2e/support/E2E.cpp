#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The programs of this test that are running: every wait watches them.
std::vector<WexProcess*> g_running;

// Polls `done` every 100 ms for up to `seconds`; gives up early, with a test
// failure, when a running program shows a dialog nobody waits for.
bool WatchedWait(double seconds, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (done()) return true;
    for (WexProcess* process : g_running) {
      const std::string unexpected = process->UnexpectedDialog();
      if (!unexpected.empty()) {
        ADD_FAILURE() << "a dialog appeared that the test does not answer: " << unexpected;
        return false;
      }
    }
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::string Unescaped(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    const char c = field[++i];
    out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
  }
  return out;
}

std::string VisibleWindowTitled(const std::string& title) {
  return RunCommand("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n1");
}

std::vector<std::string> DialogWindowsOf(pid_t pid) {
  std::vector<std::string> dialogs;
  std::istringstream ids(
      RunCommand("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null"));
  for (std::string id; std::getline(ids, id);)
    if (RunCommand("xprop -id " + id + " _NET_WM_WINDOW_TYPE").find("_NET_WM_WINDOW_TYPE_DIALOG") !=
        std::string::npos)
      dialogs.push_back(id);
  return dialogs;
}

}  // namespace

WexInstall::WexInstall(const std::string& onlyPlugin) {
  // The program and its plug-ins only: a settings or data file left in the build
  // directory by a hand-run program must not leak into the test.
  for (const auto& entry : fs::directory_iterator(WEX_BIN_DIR)) {
    const fs::path name = entry.path().filename();
    const bool plugin =
        name.extension() == ".wpi" && (onlyPlugin.empty() || name.stem() == onlyPlugin);
    if (entry.is_regular_file() && (name == "wex" || plugin))
      fs::copy_file(entry.path(), dir() / name);
  }
}

std::string WexInstall::settingsPath() const { return SettingsFileIn(dir()); }

std::string SettingsFileIn(const std::string& dir) {
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(dir, missing)) {
    std::string name = entry.path().filename();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "wex.ini") return entry.path();
  }
  return {};
}

std::string WexInstall::AddFile(const std::string& name, const std::string& bytes) const {
  const std::string path = dir() + "/" + name;
  WriteBytes(path, bytes);
  return path;
}

WexProcess::WexProcess(const WexInstall& install, const std::vector<std::string>& args)
    : WexProcess(
          [&] {
            std::vector<std::string> command{install.dir() + "/wex"};
            command.insert(command.end(), args.begin(), args.end());
            return command;
          }(),
          // A journal of its own: programs started one after the other share the install.
          [&] {
            static int started = 0;
            return install.dir() + "/dialogs-" + std::to_string(++started) + ".log";
          }()) {}

WexProcess::WexProcess(const std::vector<std::string>& command) : WexProcess(command, {}) {}

WexProcess::WexProcess(const std::vector<std::string>& command, const std::string& journal)
    : journal_(journal) {
  std::vector<std::string> copies(command);
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::string journalSetting = "WEX_DIALOG_LOG=" + journal_;
  std::vector<char*> env;
  if (!journal_.empty()) env.push_back(journalSetting.data());
  for (char** variable = environ; *variable; ++variable) env.push_back(*variable);
  env.push_back(nullptr);
  if (::posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), env.data()) != 0) pid_ = -1;
  g_running.push_back(this);
}

WexProcess::~WexProcess() {
  g_running.erase(std::find(g_running.begin(), g_running.end(), this));
  if (pid_ > 0 && Wait(0) == -1) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

int WexProcess::Wait(double seconds) {
  int result = -1;
  WatchedWait(seconds, [&] {
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, WNOHANG) != pid_) return false;
    pid_ = -1;
    result = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return true;
  });
  return result;
}

std::vector<ShownDialog> WexProcess::Journal() const {
  std::vector<ShownDialog> dialogs;
  std::istringstream lines(ReadBytes(journal_));
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) fields.push_back(Unescaped(field));
    fields.resize(3);
    dialogs.push_back({fields[0], fields[1], fields[2], {}});
  }
  return dialogs;
}

std::string WexProcess::UnexpectedDialog() {
  if (pid_ <= 0) return {};
  const std::vector<std::string> windows = DialogWindowsOf(pid_);
  // Read after the windows: a journalled dialog's line comes before its window.
  const std::vector<ShownDialog> journal = Journal();
  const bool journalWaiting = journal.size() > consumed_ && journalSeen_ > consumed_;
  journalSeen_ = journal.size();
  if (journalWaiting) {
    const ShownDialog& dialog = journal[consumed_++];
    return "caption \"" + dialog.caption + "\", text \"" + dialog.text + "\"";
  }
  // A window of a journalled dialog has been reported, or waited for, already.
  std::set<std::string> journalled;
  for (const ShownDialog& dialog : journal) journalled.insert(dialog.caption);
  std::set<std::string> seen;
  std::string unexpected;
  for (const std::string& window : windows) {
    if (expected_.count(window)) continue;
    if (!windowsSeen_.count(window)) {
      seen.insert(window);
      continue;
    }
    expected_.insert(window);
    const std::string caption = RunCommand("xdotool getwindowname " + window);
    if (!journalled.count(caption) && unexpected.empty())
      unexpected = "caption \"" + caption + "\" (a window outside the dialog journal)";
  }
  windowsSeen_ = seen;
  return unexpected;
}

void WexProcess::Expect(const std::string& window, const std::string& title) {
  expected_.insert(window);
  const std::vector<ShownDialog> journal = Journal();
  if (journal.size() > consumed_ && journal[consumed_].caption == title) ++consumed_;
}

std::optional<ShownDialog> WexProcess::WaitForDialog(const std::string& caption, double seconds) {
  std::optional<ShownDialog> dialog;
  const auto arrived = [&] {
    const std::vector<ShownDialog> journal = Journal();
    if (journal.size() <= consumed_) return false;
    dialog = journal[consumed_++];
    return true;
  };
  if (!WatchedWait(seconds, arrived)) {
    ADD_FAILURE() << "no dialog \"" << caption << "\" appeared";
    return std::nullopt;
  }
  if (dialog->caption != caption) {
    ADD_FAILURE() << "a dialog \"" << caption << "\" was expected, but one with caption \""
                  << dialog->caption << "\" and text \"" << dialog->text << "\" appeared";
    return std::nullopt;
  }
  if (!WatchedWait(seconds,
                   [&] { return !(dialog->window = VisibleWindowTitled(caption)).empty(); })) {
    ADD_FAILURE() << "the dialog \"" << caption << "\" did not show";
    return std::nullopt;
  }
  expected_.insert(dialog->window);
  return dialog;
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
  std::string id;
  WatchedWait(seconds, [&] {
    id = VisibleWindowTitled(title);
    if (id.empty()) return false;
    for (WexProcess* process : g_running) process->Expect(id, title);
    return true;
  });
  return id;
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

double ProcessCpuSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  // The fields after the command name, which is in parentheses and may hold blanks;
  // user and system time are the 12th and 13th of them.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 1; i <= 13 && fields >> field; ++i)
    if (i >= 12) ticks += std::stod(field);
  return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
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
  const QRegularExpressionMatch parent =
      QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(tree);
  if (!parent.hasMatch()) return {};
  const QString info =
      QString::fromStdString(RunCommand("xwininfo -id " + parent.captured(1).toStdString()));
  const auto field = [&info](const char* name) {
    return QRegularExpression(QString(name) + ":\\s+(-?[0-9]+)").match(info).captured(1).toInt();
  };
  return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
               field("Height"));
}

QRect WaitForOuterRect(const std::string& window,
                       const std::function<bool(const QRect&)>& expected) {
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
