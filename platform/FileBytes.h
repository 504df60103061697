#pragma once
// Whole-file reads and safe whole-file writes. Plain C++; errors are errno values.

#include <functional>
#include <string>
#include <string_view>

/// Reads the whole file; 0 or the errno of the failure (ENOMEM when memory runs out).
int ReadWholeFile(const std::string& path, std::string& bytes);

/// Writes all of `bytes` to `fd`; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes);

/// Writes the file's contents to the file descriptor it is given; 0 or an errno.
/// It may throw.
using WriteBody = std::function<int(int fd)>;

/// When the file system frees the blocks of the file that ReplaceFile replaces.
/// For a big file that takes milliseconds, which a caller in a hurry can leave
/// to a thread of its own; code that may be unloaded (a plug-in) must not.
enum class FreeReplaced { Now, InBackground };

/// Has `body` write a temporary file beside `path` and renames it over `path`
/// once the contents are flushed to the disk, so a failed write never destroys
/// the old file. A symbolic link stays and the file it names is replaced; an
/// existing file that may not be written is refused (EACCES); a writable file
/// in a folder that takes no new files is rewritten in place. 0 or the errno of
/// the failure; an exception from `body` removes the temporary file and passes on.
int ReplaceFile(const std::string& path, const WriteBody& body,
                FreeReplaced freeReplaced = FreeReplaced::Now);

/// ReplaceFile with `bytes` as the contents.
int WriteWholeFileAtomically(const std::string& path, std::string_view bytes);
