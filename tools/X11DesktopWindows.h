#pragma once
// The window-manager calls of the topmost step on an X11 desktop (EWMH through
// xcb), on a connection of their own. Plain C++.
#include "tools/TopmostWait.h"

/// The desktop's windows, or nullptr when no X server can be reached.
DesktopWindows* X11DesktopWindows();
