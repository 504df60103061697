#pragma once
// An IBus session of the test's own: ibus-daemon on a bus of its own with anthy
// as the engine, left in anthy's own starting mode (Latin), QT_IM_MODULE=ibus.

#include "tests/e2e/inputmethod/InputMethodSession.h"

class IBusSession : public InputMethodSession {
 public:
  IBusSession();
};
