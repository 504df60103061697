#include "recovery/RecoveryFolder.h"

#include "platform/UserDirectories.h"
#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"

std::string ChooseRecoveryFolder(const std::string& settingsDirectory,
                                 const std::string& programDirectory,
                                 const std::optional<std::string>& stateHome) {
  if (settingsDirectory == programDirectory || !stateHome) return settingsDirectory + "/recovery";
  return *stateHome + "/wex/recovery";
}

std::string GetRecoveryFolder() {
  return ChooseRecoveryFolder(GetSettingsDirectory(), GetProgramDirectory(),
                              UserBaseDirectory("XDG_STATE_HOME", ".local/state"));
}
