#pragma once
// Whole-file reads and safe whole-file writes. Plain C++; errors are errno values.

#include <string>
#include <string_view>

/// Reads the whole file; 0 or the errno of the failure (ENOMEM when memory runs out).
int ReadWholeFile(const std::string& path, std::string& bytes);

/// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
/// so a failed write never destroys the old file. A symbolic link stays and the
/// file it names is replaced; an existing file that may not be written is
/// refused (EACCES); a writable file in a folder that takes no new files is
/// rewritten in place. 0 or the errno of the failure.
int WriteWholeFileAtomically(const std::string& path, std::string_view bytes);
