#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "settings/SettingsKeys.h"

#include <string>
#include <variant>

namespace {

using Value = std::variant<int, std::string_view>;

struct Default {
  std::string_view section;
  std::string_view key;
  Value value;
};

// The keys of a new settings file before the tool slots, in the order the file gets them.
constexpr Default kDefaults[] = {
    {section::kSetting, key::kSize, 1},
    {section::kSetting, key::kSizeX, 640},
    {section::kSetting, key::kSizeY, 480},
    {section::kSetting, key::kPosition, 1},
    {section::kSetting, key::kPosX, 0},
    {section::kSetting, key::kPosY, 0},
    {section::kSetting, key::kTopmost, 0},
    {section::kSetting, key::kIme, 0},
    {section::kSetting, key::kKanjiAuto, 1},
    {section::kSetting, key::kDefaultExt, "txt"},
    {section::kSetting, key::kDefaultName, "Memo"},
    {section::kSetting, key::kFilter, DEFAULT_FILTER},
    {section::kSetting, key::kLastDir, ""},
    {section::kFont, key::kHeight, 280},
    {section::kFont, key::kCharSet, 128},
    {section::kFont, key::kFaceName, "Terminal"},
};

void Write(const std::string& path, std::string_view section, std::string_view key,
           const Value& value) {
  if (const int* number = std::get_if<int>(&value))
    WriteSettingInt(path, section, key, *number);
  else
    WriteSettingString(path, section, key, std::get<std::string_view>(value));
}

}  // namespace

void BootstrapSettings(const std::string& settingsDirectory) {
  std::string path = settingsDirectory;
  if (MakeSettingsPath(path, kSettingsFileName)) return;
  for (const Default& d : kDefaults) Write(path, d.section, d.key, d.value);
  for (int n = 1; n <= kToolSlotCount; ++n) {
    Write(path, section::kTools, ToolSlotKey(ToolField::Name, n), "");
    Write(path, section::kTools, ToolSlotKey(ToolField::CommandLine, n), "");
    // The first slot's flag has always been created empty; it reads as 0 all the same.
    Write(path, section::kTools, ToolSlotKey(ToolField::Topmost, n), n == 1 ? Value("") : Value(0));
  }
}
