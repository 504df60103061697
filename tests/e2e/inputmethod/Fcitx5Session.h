#pragma once
// An input-method session of the test's own: a D-Bus session bus (dbus-launch)
// and fcitx5 with a group of keyboard-us and anthy, configured and run in a fresh
// directory. The environment of this process (and of what it starts) points at
// them while the object lives: QT_IM_MODULE=fcitx among others.

#include <string>
#include <sys/types.h>

class Fcitx5Session {
 public:
  Fcitx5Session();
  ~Fcitx5Session();
  Fcitx5Session(const Fcitx5Session&) = delete;
  Fcitx5Session& operator=(const Fcitx5Session&) = delete;

  /// True once fcitx5 answers on the bus.
  bool running() const { return running_; }
  /// fcitx5-remote's answer: 0 no input context, 1 input off, 2 input on; -1 no answer.
  static int State();

 private:
  std::string dir_;
  pid_t busPid_ = -1;
  pid_t fcitxPid_ = -1;
  bool running_ = false;
};
