#include "plugins/markwell/MarkwellFiles.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"

namespace markwell {
namespace {

constexpr char kSection[] = "Markwell";
constexpr char kKey[] = "Template";

std::string PathInSettingsDirectory(const char* name) {
  std::string path = GetSettingsDirectory();
  MakeSettingsPath(path, name);
  return path;
}

const std::string g_settingsPath = PathInSettingsDirectory("Wex.ini");

}  // namespace

const std::string& SettingsPath() {
  return g_settingsPath;
}

std::string DataFilePath() {
  return PathInSettingsDirectory("wpi.dat");
}

int ReadTemplateNumber() {
  const int t = ReadSettingInt(SettingsPath(), kSection, kKey);
  return t >= 0 && t < kTemplateCount ? t : 0;
}

void WriteTemplateNumber(int t) {
  WriteSettingInt(SettingsPath(), kSection, kKey, t);
}

}  // namespace markwell
