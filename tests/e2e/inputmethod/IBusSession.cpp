#include "tests/e2e/inputmethod/IBusSession.h"

#include "tests/e2e/support/E2E.h"

#include <cstdlib>

IBusSession::IBusSession() : InputMethodSession("ibus") {
  // ibus-anthy runs "python3" from PATH and needs the system's, which has the
  // GObject bindings, not one a version manager put first.
  const char* path = std::getenv("PATH");
  const std::string systemFirst = std::string("/usr/bin:") + (path ? path : "");
  // No panel, emoji or settings helper: the daemon and the engine alone.
  StartDaemon({"ibus-daemon", "--panel=disable", "--emoji-extension=disable", "--config=disable"},
              {{"PATH", systemFirst}}, [] {
                // The engine becomes the global one once its process has come up.
                if (RunCommand("ibus engine 2>/dev/null") == "anthy") return true;
                RunCommand("ibus engine anthy >/dev/null 2>&1");
                return false;
              });
}
