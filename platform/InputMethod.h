#pragma once
// Switching the input method on for this program: best effort over D-Bus.

#include <functional>

/// Asks the running input-method framework to switch input on for the focused
/// window; false when none answered. Never blocks for long.
bool ActivateInputMethod();

/// What ActivateInputMethod does; tests put their own in place.
using InputMethodActivator = std::function<bool()>;
/// Installs `activator` (an empty one restores the D-Bus call) and returns the
/// one it replaced.
InputMethodActivator ReplaceInputMethodActivator(InputMethodActivator activator);
