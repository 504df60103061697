#pragma once
// Hiragana to full-width katakana in Shift-JIS text. Plain C++.

#include <string>
#include <string_view>

namespace bricks {

/// Every hiragana of the table (and "う゛") as katakana; everything else, 「ゎ」
/// 「ゐ」「ゑ」 included, unchanged. Never longer than `text`.
std::string ToKatakana(std::string_view text);

}  // namespace bricks
