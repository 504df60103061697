#pragma once
// What a user does at the desktop, through xdotool, and what the window manager
// and the screen show: keys, typed text, clicks, window ownership, pixels, files.

#include "tests/support/Files.h"

#include <QImage>
#include <string>

/// Activates `window` and presses `keys` (xdotool key names, blank-separated),
/// `delayMs` apart.
void PressKeys(const std::string& window, const std::string& keys, int delayMs = 120);
/// Activates `window` and types `text` (UTF-8) as keystrokes.
void TypeText(const std::string& window, const std::string& text);
/// Clicks the left button at (x, y) of `window`'s client area.
void ClickAt(const std::string& window, int x, int y);
/// The window that `window` is transient for (its owner), as decimal text; empty
/// when none.
std::string TransientFor(const std::string& window);
/// Whether the window manager keeps `window` above the others.
bool IsAbove(const std::string& window);
/// The pixels of `window` on the screen.
QImage Screenshot(const std::string& window);
/// Waits for the program's main window and for the window manager to hand it the
/// keyboard, so that no key sent next is lost; its X window id, or empty.
std::string WaitForMainWindow(const std::string& title);
