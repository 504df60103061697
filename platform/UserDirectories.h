#pragma once
// The user's own directories as the XDG base-directory rules give them. Plain C++.

#include <sys/types.h>
#include <optional>
#include <string>

/// The directory the environment variable `variable` names when it holds an absolute
/// path; otherwise the home directory ($HOME, else the password entry) followed by
/// `underHome` (".config", ".local/share"). Nothing when there is no home either.
std::optional<std::string> UserBaseDirectory(const char* variable, const char* underHome);

/// Creates `path` and every missing directory above it with `mode`.
/// True when it is a directory afterwards.
bool MakeDirectories(const std::string& path, mode_t mode);
