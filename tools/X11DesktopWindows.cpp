#include "tools/X11DesktopWindows.h"

#include "platform/X11Window.h"

namespace {

class X11Windows : public DesktopWindows {
 public:
  bool HasWindowOf(pid_t pid) override { return !x11::WindowsOfProcess(pid).empty(); }
  Window ActiveWindow() override { return x11::ActiveWindow().value_or(0); }
  pid_t OwnerOf(Window window) override { return x11::ProcessOfWindow(window).value_or(-1); }
  void SetAlwaysOnTop(Window window) override { x11::SetAbove(window, true); }
};

}  // namespace

DesktopWindows* X11DesktopWindows() {
  static X11Windows windows;
  return x11::Available() ? &windows : nullptr;
}
