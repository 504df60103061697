#pragma once
// What an input-method session of a test's own needs whatever the framework: a
// fresh home and XDG tree, a D-Bus session bus (dbus-launch), and the framework's
// daemon run there. The environment of this process (and of what it starts)
// points at them while the object lives, QT_IM_MODULE included; the earlier
// values come back with the object's end.

#include "tests/support/TempDir.h"

#include <sys/types.h>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class InputMethodSession {
 public:
  InputMethodSession(const InputMethodSession&) = delete;
  InputMethodSession& operator=(const InputMethodSession&) = delete;

  /// True once the daemon answers and is set up as the test wants it.
  bool running() const { return running_; }

 protected:
  /// The tree and the bus; `qtModule` is the toolkit's input-method module.
  explicit InputMethodSession(const std::string& qtModule);
  ~InputMethodSession();

  /// Where the framework's own settings go ($XDG_CONFIG_HOME).
  std::string configDir() const { return dir_.file("config"); }
  /// Starts the daemon `argv` on the bus, its output thrown away, with the
  /// variables `extra` on top of this process's environment; it ends with the
  /// session. Then waits up to ten seconds for `ready`, which sets running().
  void StartDaemon(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& extra,
                   const std::function<bool()>& ready);

 private:
  void Set(const std::string& name, const std::string& value);

  TempDir dir_;
  std::map<std::string, std::optional<std::string>> previous_;  // variables as they were
  pid_t busPid_ = -1;
  pid_t daemonPid_ = -1;
  bool running_ = false;
};
