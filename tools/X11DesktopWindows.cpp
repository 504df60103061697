#include "tools/X11DesktopWindows.h"

#include "platform/X11Window.h"

namespace {

class X11Windows : public DesktopWindows {
 public:
  Window WindowOf(pid_t pid) override {
    const std::vector<x11::WindowId> windows = x11::WindowsOfProcess(pid);
    return windows.empty() ? 0 : windows.front();
  }
  Window ActiveWindow() override { return x11::ActiveWindow().value_or(0); }
  pid_t OwnerOf(Window window) override { return x11::ProcessOfWindow(window).value_or(-1); }
  void SetAlwaysOnTop(Window window) override { x11::SetAbove(window, true); }
};

}  // namespace

DesktopWindows* X11DesktopWindows() {
  static X11Windows windows;
  return x11::Available() ? &windows : nullptr;
}
