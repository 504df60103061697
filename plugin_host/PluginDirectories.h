#pragma once
// Where the plug-ins are looked for. Plain C++.

#include <string>
#include <vector>

/// The program's directory, then the user's plug-in directory
/// "$XDG_DATA_HOME/wex/plugins" (default "~/.local/share/wex/plugins").
std::vector<std::string> PluginDirectories();
