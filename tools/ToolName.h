#pragma once
// The name a browsed program gives an empty name field. Plain C++.
#include <string_view>

/// The file name after the last "/" of `path`, cut at its last "." when that "."
/// lies in the file name: "/usr/bin/grep" gives "grep", "/opt/my.tool.exe" gives
/// "my.tool". Empty when `path` holds no "/". Works on Shift-JIS bytes as they are,
/// since neither "/" nor "." can be the second byte of a double-byte character.
std::string_view ToolNameFromPath(std::string_view path);
