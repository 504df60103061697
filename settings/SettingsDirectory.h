#pragma once
// Where the settings file "Wex.ini" and the page builder's "wpi.dat" live. Plain C++.
//
// Beside the program when it may keep its files there (portable use, a build tree);
// otherwise in the user's configuration directory, as an installed program must.

#include <optional>
#include <string>

/// The rule on given places: `programDirectory` when "Wex.ini" there (any case) can be
/// written, or does not exist and the directory takes new files; otherwise
/// `userConfigHome` + "/wex", created (mode 0700) when missing. Without a user
/// configuration directory it stays `programDirectory`, where writes then fail.
std::string ChooseSettingsDirectory(const std::string& programDirectory,
                                    const std::optional<std::string>& userConfigHome);

/// ChooseSettingsDirectory for the running program and $XDG_CONFIG_HOME (default
/// "~/.config"), decided on the first call and the same for the rest of the process.
const std::string& GetSettingsDirectory();
