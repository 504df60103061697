#pragma once
// Making the window that takes the input after a tool starts always-on-top. Plain C++.

#include <sys/types.h>
#include <chrono>
#include <cstdint>
#include <functional>

/// What the wait needs of the desktop's window manager.
class DesktopWindows {
 public:
  using Window = std::uint32_t;  ///< 0: no window
  virtual ~DesktopWindows() = default;
  /// A mapped top-level window that says it belongs to process `pid`, or 0.
  virtual Window WindowOf(pid_t pid) = 0;
  /// The window that has the input focus, or 0.
  virtual Window ActiveWindow() = 0;
  /// The process that owns `window`, or -1 when it does not say.
  virtual pid_t OwnerOf(Window window) = 0;
  /// Asks the window manager to keep `window` above the others.
  virtual void SetAlwaysOnTop(Window window) = 0;
};

/// The topmost step after a tool starts, taken one look at a time so that the
/// caller's event loop runs between looks. The tool is ready for input at the
/// first of: a window of its own is mapped (where its windows say whose they
/// are), or the active window changes to one that is not the editor's. That
/// window is made always-on-top. A tool that ends first, or a bound that passes
/// first, makes nothing topmost: the editor is never pinned in the tool's place.
class TopmostWait {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kBound{5000};

  TopmostWait(pid_t tool, pid_t editor, std::function<bool()> hasExited, DesktopWindows& windows,
              Clock::time_point now, std::chrono::milliseconds bound = kBound);

  /// Looks once at `now`; true when the wait is over, its window (if any) raised.
  bool Look(Clock::time_point now);

 private:
  pid_t tool_;
  pid_t editor_;
  std::function<bool()> hasExited_;
  DesktopWindows& windows_;
  Clock::time_point deadline_;
  DesktopWindows::Window activeAtStart_;
};
