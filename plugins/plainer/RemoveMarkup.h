#pragma once
// Markup to plain text. Plain C++, byte-wise: every byte it looks for is below 0x40,
// so none of them can be the second byte of a Shift-JIS character.

#include <string>
#include <string_view>

namespace plainer {

/// Decodes "&lt;", "&gt;", "&quot;" and "&amp;" (case-sensitive), then removes every
/// tag ("<" to the next ">") and comment ("<!--" to the next "-->"); an unclosed one
/// runs to the end. Never longer than `html`.
std::string RemoveMarkup(std::string_view html);

}  // namespace plainer
