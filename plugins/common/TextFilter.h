#pragma once
// What a plug-in without settings supplies; TextFilterExports.cpp turns it into the
// four exports. Each of these libraries compiles both into itself.

#include <string>
#include <string_view>

namespace wpi::filter {

/// Display name, and the caption of the Option box.
extern const char kDisplayName[];
/// Text of the Option box, UTF-8.
extern const char kOptionMessage[];
/// The whole-text transformation.
std::string Transform(std::string_view text);

}  // namespace wpi::filter
