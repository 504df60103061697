#include "tools/TopmostWait.h"

#include <algorithm>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Polls `done` until it holds or `deadline` passes; true when it held.
bool PollUntil(const std::function<bool()>& done, Clock::time_point deadline,
               std::chrono::milliseconds poll) {
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(poll);
  }
  return true;
}

}  // namespace

void MakeActiveWindowTopmostWhenReady(pid_t pid, const std::function<bool()>& hasExited,
                                      DesktopWindows& windows, const TopmostTiming& timing) {
  const Clock::time_point deadline = Clock::now() + timing.bound;
  const bool shown =
      PollUntil([&] { return hasExited() || windows.HasWindowOf(pid); }, deadline, timing.poll) &&
      !hasExited();
  if (shown) {
    // A window is ready for input once the window manager has focused it.
    PollUntil([&] { return windows.OwnerOf(windows.ActiveWindow()) == pid; },
              std::min(deadline, Clock::now() + timing.settle), timing.poll);
  }
  if (const DesktopWindows::Window active = windows.ActiveWindow()) windows.SetAlwaysOnTop(active);
}
