#pragma once
// Running the real program under the X server of an end-to-end test.

#include <sys/types.h>
#include <QRect>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

/// A copy of the built program and plug-ins in a fresh directory, so the test
/// has its own settings file; the copy is removed with the object.
class WexInstall {
 public:
  /// With `onlyPlugin` ("Bricks", say) that plug-in alone is copied.
  explicit WexInstall(const std::string& onlyPlugin = {});
  const std::string& dir() const { return dir_.path(); }
  /// The settings file, whichever case its name was created in; empty when none.
  std::string settingsPath() const;
  /// Writes the settings file "Wex.ini" whole.
  void WriteSettings(const std::string& bytes) const { AddFile("Wex.ini", bytes); }
  /// Writes the file `name` holding `bytes` in the directory; its path.
  std::string AddFile(const std::string& name, const std::string& bytes) const;

 private:
  TempDir dir_;
};

/// The settings file in `dir`, whichever case its name was created in; empty when none.
std::string SettingsFileIn(const std::string& dir);

/// A modal dialog of the program, as its dialog journal tells it.
struct ShownDialog {
  std::string caption;
  std::string text;     // a message box's text, CR and LF as they are
  std::string buttons;  // the button texts, "|" between them
  std::string window;   // its X window
};

/// The running program; killed when the object goes. While it runs, every wait
/// of these helpers also watches it: a dialog that the test did not wait for
/// (one in the program's journal, or a dialog window no wait returned) fails the
/// test at once, naming its caption and text, and ends the wait.
class WexProcess {
 public:
  WexProcess(const WexInstall& install, const std::vector<std::string>& args = {});
  /// Runs `command` (its first word looked up in PATH) with the test's environment.
  explicit WexProcess(const std::vector<std::string>& command);
  ~WexProcess();
  WexProcess(const WexProcess&) = delete;
  WexProcess& operator=(const WexProcess&) = delete;
  pid_t pid() const { return pid_; }
  /// Waits up to `seconds` for the process to end; its exit status, or -1.
  int Wait(double seconds);
  /// Waits for the next dialog of the journal and for its window; fails the test
  /// (and gives nothing) when it does not come or has another caption.
  std::optional<ShownDialog> WaitForDialog(const std::string& caption, double seconds = 10);

  /// A dialog nobody waited for, described; empty when there is none. A dialog
  /// counts once it has been seen at two checks in a row, so that a wait running
  /// at the same time takes it first.
  std::string UnexpectedDialog();
  /// A window titled `title` that a wait returned: expected, and so is the next
  /// dialog of the journal when it has that caption.
  void Expect(const std::string& window, const std::string& title);

 private:
  WexProcess(const std::vector<std::string>& command, const std::string& journal);
  std::vector<ShownDialog> Journal() const;

  pid_t pid_ = -1;
  std::string journal_;
  std::size_t consumed_ = 0;
  std::set<std::string> expected_;
  std::size_t journalSeen_ = 0;        // journal length at the last check
  std::set<std::string> windowsSeen_;  // dialog windows at the last check
};

/// Processor time (user and system) that process `pid` has used so far, in seconds.
double ProcessCpuSeconds(pid_t pid);

/// Output of a shell command (stdout), trailing newline removed.
std::string RunCommand(const std::string& command);
/// Waits up to `seconds` for a visible window whose title is exactly `title`;
/// its X window id as decimal text, or empty (also when a running program shows
/// a dialog nobody waits for).
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
QRect WaitForOuterRect(const std::string& window,
                       const std::function<bool(const QRect&)>& expected);
QRect WaitForOuterRect(const std::string& window, const QRect& expected);
