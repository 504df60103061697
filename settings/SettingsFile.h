#pragma once
// The program's settings file, made once at start and handed to whoever reads or
// writes settings. Plain C++, no Qt.
//
// It holds only the file's path: every call reads or rewrites the file at that
// moment (settings/Settings.h), so other components and other running copies see
// each write at once and this object never shows a stale value.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class SettingsFile {
 public:
  /// The file `path` names; a file spelled differently in case is the same file.
  explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

  /// "Wex.ini" in the settings directory (settings/SettingsDirectory.h).
  static SettingsFile InSettingsDirectory();

  const std::string& Path() const { return m_path; }

  /// As ReadSettingInt, ReadSettingString, WriteSettingInt and WriteSettingString.
  int ReadInt(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::size_t size) const;
  void WriteInt(std::string_view section, std::string_view key, int value);
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  std::string m_path;
};
