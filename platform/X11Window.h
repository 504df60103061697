#pragma once
// The X11 window-manager calls the program needs (EWMH through xcb). Plain C++;
// no other file includes the X11 headers. Every call answers "unavailable"
// (false, std::nullopt or an empty list) when no X server can be reached.

#include <sys/types.h>
#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace x11 {

using WindowId = std::uint32_t;

/// From now on, calls go over `connection` (the toolkit's own, which stays
/// owned by the toolkit) instead of a connection of their own opened on first use.
void ShareConnection(xcb_connection_t* connection);

/// True when an X server answers.
bool Available();

/// True when the X server $DISPLAY names accepts a connection; the connection is
/// closed again and nothing else is kept or used.
bool ServerAnswers();

/// Asks the window manager to put `window` into the always-on-top band or take it
/// out; a window not yet mapped gets the state it will be mapped with. Position and
/// size stay. False when unavailable.
bool SetAbove(WindowId window, bool above);
/// Whether `window`'s _NET_WM_STATE holds _NET_WM_STATE_ABOVE.
std::optional<bool> IsAbove(WindowId window);

/// The window manager's active (foreground) window; 0 when there is none.
std::optional<WindowId> ActiveWindow();

/// The top-level windows whose _NET_WM_PID is `pid`, in the window manager's
/// client-list order (the root's children when no client list is kept).
std::vector<WindowId> WindowsOfProcess(pid_t pid);

/// The process that owns `window` (its _NET_WM_PID); unavailable when it does not say.
std::optional<pid_t> ProcessOfWindow(WindowId window);

struct LockIndicators {
  bool kana = false;
  bool caps = false;
  bool num = false;
  bool scroll = false;
};
/// The keyboard's lock indicators (XKB); unavailable without the XKB extension.
std::optional<LockIndicators> ReadLockIndicators();

/// Widths of the window manager's decorations around a window.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};
/// The decorations the window manager will put around `window` (mapped or not),
/// waiting up to `timeoutMs` for its answer; unavailable when it gives none.
std::optional<FrameExtents> RequestFrameExtents(WindowId window, int timeoutMs);

}  // namespace x11
