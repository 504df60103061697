#pragma once
// Childish-speech rewriting of Shift-JIS text. Plain C++.

#include <span>
#include <string>
#include <string_view>

#include "plugins/common/ReplacementScan.h"

namespace cooer {

/// Lisps the さ row and "ぜ" and puts "でちゅ" into a few sentence endings.
std::string ToBabyTalk(std::string_view text);

/// The rules ToBabyTalk follows, in the order of the replacement scan, which
/// gives what ToBabyTalk's faster pass must give.
std::span<const wpi::Rule> BabyTalkRules();

}  // namespace cooer
