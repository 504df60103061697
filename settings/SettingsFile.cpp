#include "settings/SettingsFile.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"

SettingsFile SettingsFile::InSettingsDirectory() {
  return SettingsFile(SettingsDirectoryFile(kSettingsFileName));
}

int SettingsFile::ReadInt(std::string_view section, std::string_view key) const {
  return ReadSettingInt(m_path, section, key);
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::size_t size) const {
  return ReadSettingString(m_path, section, key, size);
}

void SettingsFile::WriteInt(std::string_view section, std::string_view key, int value) {
  WriteSettingInt(m_path, section, key, value);
}

void SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  WriteSettingString(m_path, section, key, value);
}
