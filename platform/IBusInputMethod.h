#pragma once
// Switching IBus's engine to Japanese input for this program's input context.

#include "platform/InputMethod.h"

#include <optional>

/// Asks IBus, when the toolkit hands our keys to it, to put the engine of our
/// focused input context in its hiragana mode. Nullopt when the toolkit does
/// not talk to IBus, so that another framework can be asked.
std::optional<InputMethodAnswer> SwitchIBusOn();
