#pragma once
// Where the settings file "Wex.ini" and the page builder's "wpi.dat" live. Plain C++.
//
// An installed copy keeps them in the user's configuration directory and never
// writes into its program directory, whoever runs it. A portable copy (a build tree,
// an unpacked folder) keeps them beside the program when it may write there.
// The installation says which is which: it puts a marker file beside the program.

#include <optional>
#include <string>
#include <string_view>

/// The settings file's name. A new file gets this spelling; an existing one is
/// found in any case ("WEX.ini" too).
inline constexpr char kSettingsFileName[] = "Wex.ini";

/// The file that an installation puts beside the program.
inline constexpr char kInstalledMarker[] = "wex.installed";

/// Where the settings of an installed copy go when the user has no home at all:
/// a directory that does not exist (the home of such users by Debian's convention),
/// so writes fail and every setting reads as missing.
inline constexpr char kNowhere[] = "/nonexistent";

/// The rule on given places. With the marker in `programDirectory`:
/// `userConfigHome` + "/wex", created (mode 0700) when missing, or kNowhere without a
/// user configuration directory. Without the marker: `programDirectory` when
/// "Wex.ini" there (any case) can be written, or does not exist and the directory takes
/// new files; otherwise `userConfigHome` + "/wex" as above; without a user
/// configuration directory it stays `programDirectory`, where writes then fail.
std::string ChooseSettingsDirectory(const std::string& programDirectory,
                                    const std::optional<std::string>& userConfigHome);

/// ChooseSettingsDirectory for the running program and $XDG_CONFIG_HOME (default
/// "~/.config"), decided on the first call and the same for the rest of the process.
/// Equal to GetProgramDirectory() exactly when the copy keeps its files beside it.
const std::string& GetSettingsDirectory();

/// The file `name` in GetSettingsDirectory(), spelled as on disk when it exists in
/// another case (MakeSettingsPath): how every component finds "Wex.ini" and
/// "wpi.dat", the plug-ins too.
std::string SettingsDirectoryFile(std::string_view name);
