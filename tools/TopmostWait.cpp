#include "tools/TopmostWait.h"

#include <utility>

TopmostWait::TopmostWait(pid_t tool, pid_t editor, std::function<bool()> hasExited,
                         DesktopWindows& windows, Clock::time_point now,
                         std::chrono::milliseconds bound)
    : tool_(tool),
      editor_(editor),
      hasExited_(std::move(hasExited)),
      windows_(windows),
      deadline_(now + bound),
      activeAtStart_(windows.ActiveWindow()) {}

bool TopmostWait::Look(Clock::time_point now) {
  if (hasExited_()) return true;
  if (const DesktopWindows::Window own = windows_.WindowOf(tool_)) {
    windows_.SetAlwaysOnTop(own);
    return true;
  }
  // Many X programs, and whatever a script forks, never say whose their windows
  // are: the focus moving to a window that is not ours is the sign they are up.
  const DesktopWindows::Window active = windows_.ActiveWindow();
  if (active != 0 && active != activeAtStart_ && windows_.OwnerOf(active) != editor_) {
    windows_.SetAlwaysOnTop(active);
    return true;
  }
  return now >= deadline_;
}
