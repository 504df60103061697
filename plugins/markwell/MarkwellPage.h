#pragma once
// The HTML page that Markwell makes of a text. Plain C++.

#include <span>
#include <string>
#include <string_view>

#include "plugins/common/ReplacementScan.h"

namespace markwell {

/// `head` with every "@title" replaced by the text's first line (unescaped), the
/// whole text with HTML's special characters escaped, "<BR>" before every line
/// break and "<HR>" for every "＝＝＝", then `foot` as it is.
std::string BuildPage(std::string_view text, std::string_view head, std::string_view foot);

/// The rules the text follows in BuildPage, in the order of the replacement
/// scan, which gives what BuildPage's faster pass must give.
std::span<const wpi::Rule> BodyRules();

}  // namespace markwell
