#pragma once
// An fcitx5 session of the test's own: fcitx5 with a group of keyboard-us and
// anthy on a bus of its own, QT_IM_MODULE=fcitx.

#include "tests/e2e/inputmethod/InputMethodSession.h"

class Fcitx5Session : public InputMethodSession {
 public:
  Fcitx5Session();

  /// fcitx5-remote's answer: 0 no input context, 1 input off, 2 input on; -1 no answer.
  static int State();
};
