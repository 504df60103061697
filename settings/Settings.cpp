#include "settings/Settings.h"

#include "settings/IniText.h"
#include "settings/SettingsFiles.h"

#include <unistd.h>
#include <algorithm>
#include <charconv>

std::string GetProgramDirectory() {
  std::string exe(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
    // Without /proc there is no way to know; the current directory is the best guess
    // and never sends the settings file to the root.
    if (n < 0) return ".";
    if (static_cast<std::size_t>(n) < exe.size()) {
      exe.resize(static_cast<std::size_t>(n));
      return DirectoryPart(exe);
    }
    exe.resize(exe.size() * 2);
  }
}

bool MakeSettingsPath(std::string& path, std::string_view name) {
  path.append("/").append(name);
  const std::optional<std::string> existing = ExistingSpelling(path);
  if (existing) path = *existing;
  return existing.has_value();
}

namespace {

// The value as stored, empty when the file, section or key is missing or unreadable.
std::string ReadValue(const std::string& path, std::string_view section, std::string_view key) {
  const std::string text = ReadFileNoCase(path).value_or(std::string());
  const std::string_view value = FindIniValue(text, section, key).value_or(std::string_view());
  // Callers treat values as C strings: a NUL in the file ends the value.
  return std::string(value.substr(0, value.find('\0')));
}

}  // namespace

int ReadSettingInt(const std::string& path, std::string_view section, std::string_view key) {
  return ParseLeadingInt(ReadValue(path, section, key));
}

std::string ReadSettingString(const std::string& path, std::string_view section,
                              std::string_view key, std::size_t size) {
  std::string value = ReadValue(path, section, key);
  value.resize(std::min(value.size(), size == 0 ? 0 : size - 1));
  return value;
}

void WriteSettingString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  RewriteFileNoCase(path,
                    [&](std::string_view text) { return SetIniValue(text, section, key, value); });
}

void WriteSettingInt(const std::string& path, std::string_view section, std::string_view key,
                     int value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  WriteSettingString(path, section, key,
                     std::string_view(text, static_cast<std::size_t>(end - text)));
}
