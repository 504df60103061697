#include "settings/Settings.h"

#include <string>
#include <variant>
#include <vector>

namespace {

using Value = std::variant<int, std::string_view>;

struct Default {
  std::string_view section;
  std::string key;
  Value value;
};

// Every key of a new settings file, in the order the file gets them.
std::vector<Default> Defaults() {
  std::vector<Default> defaults = {
      {"setting", "Size", 1},
      {"setting", "Sizex", 640},
      {"setting", "Sizey", 480},
      {"setting", "Posision", 1},
      {"setting", "Posx", 0},
      {"setting", "Posy", 0},
      {"setting", "Topmost", 0},
      {"setting", "Ime", 0},
      {"setting", "Kanji_auto", 1},
      {"setting", "DefaultExt", "txt"},
      {"setting", "DefaultName", "Memo"},
      {"setting", "Filter", DEFAULT_FILTER},
      {"setting", "LastDir", ""},
      {"font", "Height", 280},
      {"font", "CharSet", 128},
      {"font", "FaceName", "Terminal"},
  };
  constexpr int kToolSlots = 6;
  for (int n = 1; n <= kToolSlots; ++n) {
    const std::string slot = std::to_string(n);
    defaults.push_back({"tools", "tool_" + slot, ""});
    defaults.push_back({"tools", "file_" + slot, ""});
    // The first slot's flag has always been created empty; it reads as 0 all the same.
    defaults.push_back({"tools", "Topmost_" + slot, n == 1 ? Value("") : Value(0)});
  }
  return defaults;
}

} // namespace

void BootstrapSettings(const std::string& settingsDirectory) {
  std::string path = settingsDirectory;
  if (MakeSettingsPath(path, "WEX.ini")) return;
  for (const Default& d : Defaults()) {
    if (const int* number = std::get_if<int>(&d.value))
      WriteSettingInt(path, d.section, d.key, *number);
    else
      WriteSettingString(path, d.section, d.key, std::get<std::string_view>(d.value));
  }
}
