#pragma once
// Every section and key name of the settings file, written once. Plain C++.
// Names compare without case in the file; these are the spellings that new keys get.

#include <string>
#include <string_view>

namespace section {

inline constexpr std::string_view kSetting = "setting";
inline constexpr std::string_view kFont = "font";
inline constexpr std::string_view kTools = "tools";
inline constexpr std::string_view kMarkwell = "Markwell";

}  // namespace section

namespace key {

// [setting]: start-up placement, input method, code detection, file dialogs.
inline constexpr std::string_view kSize = "Size";
inline constexpr std::string_view kSizeX = "Sizex";
inline constexpr std::string_view kSizeY = "Sizey";
inline constexpr std::string_view kPosition = "Posision";  // this spelling is the file's
inline constexpr std::string_view kPosX = "Posx";
inline constexpr std::string_view kPosY = "Posy";
inline constexpr std::string_view kTopmost = "Topmost";
inline constexpr std::string_view kIme = "Ime";
inline constexpr std::string_view kKanjiAuto = "Kanji_auto";
inline constexpr std::string_view kDefaultExt = "DefaultExt";
inline constexpr std::string_view kDefaultName = "DefaultName";
inline constexpr std::string_view kFilter = "Filter";
inline constexpr std::string_view kLastDir = "LastDir";

// [font]
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kCharSet = "CharSet";
inline constexpr std::string_view kFaceName = "FaceName";

// [Markwell]
inline constexpr std::string_view kTemplate = "Template";

}  // namespace key

/// How many tool slots [tools] holds, numbered from 1.
inline constexpr int kToolSlotCount = 6;

/// The three keys each tool slot has in [tools].
enum class ToolField { Name, CommandLine, Topmost };

/// The key of `field` for tool slot `slot`: "tool_N", "file_N" or "Topmost_N".
inline std::string ToolSlotKey(ToolField field, int slot) {
  const char* stem = field == ToolField::Name          ? "tool_"
                     : field == ToolField::CommandLine ? "file_"
                                                       : "Topmost_";
  return stem + std::to_string(slot);
}
