#pragma once
// Rules about chosen file names. Plain C++.

#include <string>
#include <string_view>

/// The folder of `path` as "LastDir" keeps it: the path without its file name and
/// without the trailing "/", except that the root stays "/". A path without any
/// "/" gives the empty string.
std::string LastDirOf(std::string_view path);

/// True when the file name part of `path` holds "*" or "?": such a name is a
/// filter the user typed, never a file to create.
bool HasWildcard(std::string_view path);
