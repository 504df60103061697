#pragma once

/// True when the program's windows live on an X server (the toolkit runs on xcb):
/// the window-manager calls of platform/X11Window.h then apply to them, over the
/// toolkit's own connection. False offscreen or on Wayland.
bool UsesX11();

/// True on a Wayland compositor (the toolkit's "wayland" platforms), where no
/// protocol lets a program keep its window above the others.
bool UsesWayland();
