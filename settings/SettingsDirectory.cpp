#include "settings/SettingsDirectory.h"

#include "platform/UserDirectories.h"
#include "settings/Settings.h"

#include <unistd.h>

namespace {

bool IsInstalled(const std::string& programDirectory) {
  std::string marker = programDirectory;
  return MakeSettingsPath(marker, kInstalledMarker);
}

// Whether a copy without the marker may keep its files beside the program.
bool MayWriteBesideProgram(const std::string& programDirectory) {
  std::string file = programDirectory;
  const bool exists = MakeSettingsPath(file, kSettingsFileName);
  return exists ? ::access(file.c_str(), W_OK) == 0
                : ::access(programDirectory.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string ChooseSettingsDirectory(const std::string& programDirectory,
                                    const std::optional<std::string>& userConfigHome) {
  // Root may write anywhere, so only the installation itself can say that the
  // program directory (under /usr, perhaps read-only) is not the user's.
  const bool installed = IsInstalled(programDirectory);
  if (!installed && MayWriteBesideProgram(programDirectory)) return programDirectory;
  if (!userConfigHome) return installed ? kNowhere : programDirectory;
  const std::string directory = *userConfigHome + "/wex";
  // The settings name the user's tools and folders: no one else should read them.
  MakeDirectories(directory, 0700);
  return directory;
}

const std::string& GetSettingsDirectory() {
  static const std::string directory = ChooseSettingsDirectory(
      GetProgramDirectory(), UserBaseDirectory("XDG_CONFIG_HOME", ".config"));
  return directory;
}

std::string SettingsDirectoryFile(std::string_view name) {
  std::string path = GetSettingsDirectory();
  MakeSettingsPath(path, name);
  return path;
}
