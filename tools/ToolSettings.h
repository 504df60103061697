#pragma once
// The keys of the tool slots in section "tools" of the settings file.
#include <string>
#include <string_view>

inline constexpr std::string_view TOOLS_SECTION = "tools";
/// Bytes read of a slot's name for the menu, and of any other slot text.
inline constexpr std::size_t MENU_NAME_BUFFER = 64;
inline constexpr std::size_t PATH_BUFFER = 260;

/// "tool_N", "file_N" or "Topmost_N".
inline std::string ToolKey(std::string_view stem, int slot) {
  return std::string(stem) + "_" + std::to_string(slot);
}
