#pragma once
// Which IBus engines take Japanese input, and how each is put in its hiragana
// mode. Plain C++: the D-Bus side hands in what the engine says of itself.

#include <string>
#include <string_view>
#include <vector>

/// The engine properties that, activated, put the IBus engine `engineName` (of
/// language `language`) in its hiragana input mode; an engine ignores the names
/// it does not know. None for an engine that takes no Japanese input: a keyboard
/// layout, or an engine of another language.
std::vector<std::string> HiraganaModeProperties(std::string_view engineName,
                                                std::string_view language);
