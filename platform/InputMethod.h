#pragma once
// Switching the input method on for this program: best effort over D-Bus.

#include <functional>

/// What a request to switch input on came to.
enum class InputMethodAnswer {
  On,           ///< switched on for this program's focused input context
  NotYet,       ///< the framework does not yet see one of ours focused: ask again
  NoFramework,  ///< none runs, or it cannot be asked
};

/// Asks the running input-method framework to switch input on for this program's
/// focused input context. The framework learns of focus changes from the
/// toolkit on a channel of its own, a little after the toolkit moved the focus:
/// until it sees ours focused the answer is NotYet, and nothing is switched, so
/// the window that had the focus before is never touched. Never blocks for long.
InputMethodAnswer ActivateInputMethod();

/// What ActivateInputMethod does; tests put their own in place.
using InputMethodActivator = std::function<InputMethodAnswer()>;
/// Installs `activator` (an empty one restores the D-Bus call) and returns the
/// one it replaced.
InputMethodActivator ReplaceInputMethodActivator(InputMethodActivator activator);
