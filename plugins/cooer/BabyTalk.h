#pragma once
// Childish-speech rewriting of Shift-JIS text. Plain C++.

#include <string>
#include <string_view>

namespace cooer {

/// Lisps the さ row and "ぜ" and puts "でちゅ" into a few sentence endings.
std::string ToBabyTalk(std::string_view text);

}  // namespace cooer
