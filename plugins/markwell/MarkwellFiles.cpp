#include "plugins/markwell/MarkwellFiles.h"

#include "settings/SettingsDirectory.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace markwell {
namespace {

constexpr char kDataFileName[] = "wpi.dat";

// Found once when the library is loaded, as the program finds its own.
SettingsFile g_settings = SettingsFile::InSettingsDirectory();

}  // namespace

std::string DataFilePath() { return SettingsDirectoryFile(kDataFileName); }

int ReadTemplateNumber() {
  const int t = g_settings.ReadInt(section::kMarkwell, key::kTemplate);
  return t >= 0 && t < kTemplateCount ? t : 0;
}

void WriteTemplateNumber(int t) { g_settings.WriteInt(section::kMarkwell, key::kTemplate, t); }

}  // namespace markwell
