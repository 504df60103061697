#pragma once
// The window-manager calls of the topmost step, on the X11 desktop.
#include "tools/TopmostWait.h"

/// The desktop's windows, or nullptr when no X server can be reached.
DesktopWindows* X11DesktopWindows();
