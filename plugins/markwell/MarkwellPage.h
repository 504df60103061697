#pragma once
// The HTML page that Markwell makes of a text. Plain C++.

#include <string>
#include <string_view>

namespace markwell {

/// `head` with every "@title" replaced by the text's first line (unescaped), the
/// whole text with HTML's special characters escaped, "<BR>" before every line
/// break and "<HR>" for every "＝＝＝", then `foot` as it is.
std::string BuildPage(std::string_view text, std::string_view head, std::string_view foot);

}  // namespace markwell
