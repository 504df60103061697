#include "plugin_host/PluginDirectories.h"

#include "platform/UserDirectories.h"
#include "settings/Settings.h"

std::vector<std::string> PluginDirectories() {
  std::vector<std::string> directories{GetProgramDirectory()};
  if (const auto data = UserBaseDirectory("XDG_DATA_HOME", ".local/share"))
    directories.push_back(*data + "/wex/plugins");
  return directories;
}
