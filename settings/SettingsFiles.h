#pragma once
// File-system side of the settings operations: names found without case, whole-file
// reads, and the locked atomic rewrite. Plain C++ over POSIX.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

/// The directory part of `path`: cut at the last "/", which stays when it is the
/// first character ("/wex" gives "/"); "." when there is no "/".
std::string DirectoryPart(std::string_view path);

/// `path` with its last component spelled as on disk: the first (in byte order)
/// entry of the directory whose name equals it apart from the case of ASCII
/// letters, so every spelling leads to the same file. Nothing when there is none.
std::optional<std::string> ExistingSpelling(const std::string& path);

/// The bytes of the file `path` names, its last component found without case.
/// An absent file gives an empty string; nothing when it exists but cannot be read.
std::optional<std::string> ReadFileNoCase(const std::string& path);

/// Replaces the file `path` names (found without case, else created with this
/// spelling) by `change` applied to its bytes, while holding an exclusive lock on its
/// directory, so concurrent rewrites by other processes serialize. The new bytes go
/// to a temporary file in the same directory that is renamed over the old one, so a
/// crash leaves either file whole (a writable file in a directory that takes no new
/// files is rewritten in place; a file that may not be written is left alone). Nothing happens when
/// `change` gives nothing or the same bytes, when the old file cannot be read, or when any step
/// fails.
void RewriteFileNoCase(const std::string& path,
                       const std::function<std::optional<std::string>(std::string_view)>& change);
