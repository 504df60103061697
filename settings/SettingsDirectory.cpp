#include "settings/SettingsDirectory.h"

#include "platform/UserDirectories.h"
#include "settings/Settings.h"

#include <unistd.h>

std::string ChooseSettingsDirectory(const std::string& programDirectory,
                                    const std::optional<std::string>& userConfigHome) {
  std::string file = programDirectory;
  const bool exists = MakeSettingsPath(file, "Wex.ini");
  const bool portable = exists ? ::access(file.c_str(), W_OK) == 0
                               : ::access(programDirectory.c_str(), W_OK | X_OK) == 0;
  if (portable || !userConfigHome) return programDirectory;
  const std::string directory = *userConfigHome + "/wex";
  // The settings name the user's tools and folders: no one else should read them.
  MakeDirectories(directory, 0700);
  return directory;
}

const std::string& GetSettingsDirectory() {
  static const std::string directory =
      ChooseSettingsDirectory(GetProgramDirectory(), UserBaseDirectory("XDG_CONFIG_HOME", ".config"));
  return directory;
}
