#pragma once
// Where the recovery records live. Plain C++.

#include <optional>
#include <string>

/// "recovery" beside the settings file when the settings live in the program's
/// own directory (a build tree, an unpacked copy), so that copy keeps everything
/// together; otherwise `stateHome` + "/wex/recovery" (beside the settings file
/// again when there is no state directory).
std::string ChooseRecoveryFolder(const std::string& settingsDirectory,
                                 const std::string& programDirectory,
                                 const std::optional<std::string>& stateHome);

/// ChooseRecoveryFolder for the running program and $XDG_STATE_HOME (default
/// "~/.local/state"). Follows GetSettingsDirectory, so it moves with the settings.
std::string GetRecoveryFolder();
