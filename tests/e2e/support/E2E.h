#pragma once
// Running the real program under the X server of an end-to-end test.

#include <QRect>
#include <functional>
#include <string>
#include <vector>
#include <sys/types.h>

/// A copy of the built program and plug-ins in a fresh directory, so the test
/// has its own settings file; the copy is removed with the object.
class WexInstall {
 public:
  WexInstall();
  ~WexInstall();
  const std::string& dir() const { return dir_; }
  /// The settings file, whichever case its name was created in; empty when none.
  std::string settingsPath() const;

 private:
  std::string dir_;
};

/// The settings file in `dir`, whichever case its name was created in; empty when none.
std::string SettingsFileIn(const std::string& dir);

/// The running program; killed when the object goes.
class WexProcess {
 public:
  WexProcess(const WexInstall& install, const std::vector<std::string>& args = {});
  /// Runs `command` (its first word looked up in PATH) with the test's environment.
  explicit WexProcess(const std::vector<std::string>& command);
  ~WexProcess();
  pid_t pid() const { return pid_; }
  /// Waits up to `seconds` for the process to end; its exit status, or -1.
  int Wait(double seconds);

 private:
  pid_t pid_ = -1;
};

/// Output of a shell command (stdout), trailing newline removed.
std::string RunCommand(const std::string& command);
/// Waits up to `seconds` for a visible window whose title is exactly `title`;
/// its X window id as decimal text, or empty.
std::string WaitForWindow(const std::string& title, double seconds = 10);

/// Sends `keys` (xdotool key arguments) to `window` until a window titled
/// `title` shows, at most three times: keys sent before the window manager has
/// taken the window in are lost. The new window's id, or empty.
std::string KeysUntilWindow(const std::string& window, const std::string& keys,
                            const std::string& title);

/// Asks the window manager to close `window` (Alt+F4), again while the program
/// has not ended, for up to `seconds`; the program's exit status, or -1.
int CloseWindow(const std::string& window, WexProcess& process, double seconds = 10);

/// The outer rectangle of `window`: the window manager's frame around the client.
QRect OuterRect(const std::string& window);
/// The window manager may still be settling the window: waits (up to 5 s) until
/// the outer rectangle satisfies `expected`, and returns the last one read.
QRect WaitForOuterRect(const std::string& window, const std::function<bool(const QRect&)>& expected);
QRect WaitForOuterRect(const std::string& window, const QRect& expected);
