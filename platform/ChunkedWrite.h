#pragma once
// Writing bytes as they are produced, so that producing and writing overlap.
// Plain C++; errors are errno values.

#include <cstddef>
#include <functional>
#include <string>

/// Fills `buffer` (room for `capacity` bytes, at least 64 KiB) with the next
/// bytes to write and returns how many; 0 when there are no more. It may throw.
using FillChunk = std::function<std::size_t(char* buffer, std::size_t capacity)>;

/// Writes what `fill` produces to `fd`: `fill` runs on the calling thread while
/// the chunks it produced before are written on another, and the disk starts
/// writing each chunk back at once, so a flush at the end finds little left.
/// 0 or the errno of the first failed write; an exception from `fill` passes
/// on once the writing has stopped.
int WriteChunks(int fd, const FillChunk& fill);

/// ReplaceFile with the contents produced by `fill` while they are written; the
/// replaced file's blocks are freed in the background.
int WriteFileAtomically(const std::string& path, const FillChunk& fill);
