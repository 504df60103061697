#pragma once
// Making the window that takes the input after a tool starts always-on-top. Plain C++.

#include <chrono>
#include <cstdint>
#include <functional>
#include <sys/types.h>

/// What the wait needs of the desktop's window manager.
class DesktopWindows {
 public:
  using Window = std::uint32_t;  ///< 0: no window
  virtual ~DesktopWindows() = default;
  /// True when a top-level window of process `pid` exists.
  virtual bool HasWindowOf(pid_t pid) = 0;
  /// The window that has the input focus, or 0.
  virtual Window ActiveWindow() = 0;
  /// The process that owns `window`, or -1 when it does not say.
  virtual pid_t OwnerOf(Window window) = 0;
  /// Asks the window manager to keep `window` above the others.
  virtual void SetAlwaysOnTop(Window window) = 0;
};

struct TopmostTiming {
  std::chrono::milliseconds bound{5000};  ///< the longest the editor stays blocked
  std::chrono::milliseconds settle{1000}; ///< how long a new window may take to get the focus
  std::chrono::milliseconds poll{20};
};

/// Blocks until the started process `pid` shows a top-level window or ends (or the
/// bound passes), lets the window manager give that window the focus (for at most
/// `settle`), then makes the active window at that moment always-on-top, whoever
/// owns it. `hasExited` tells whether the process has ended.
void MakeActiveWindowTopmostWhenReady(pid_t pid, const std::function<bool()>& hasExited,
                                      DesktopWindows& windows, const TopmostTiming& timing = {});
