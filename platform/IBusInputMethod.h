#pragma once
// Switching IBus's engine to Japanese input for this program's input context.

#include "platform/InputMethod.h"

#include <optional>

/// Asks IBus, when the toolkit hands our keys to it, to put the engine of our
/// focused input context in its hiragana mode. NoFramework when the engine takes
/// no Japanese input (a keyboard layout): the engine is the same for every
/// program, so it is not changed. Nullopt when the toolkit does not talk to IBus.
std::optional<InputMethodAnswer> SwitchIBusOn();
