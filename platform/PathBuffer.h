#pragma once
// The size of the fixed path buffers that the settings file's readers and the
// plug-in table have always used. Paths themselves have no such limit here.

#include <cstddef>

/// Bytes of a path buffer with its NUL: a value read into one keeps at most 259 bytes.
inline constexpr std::size_t kPathBufferSize = 260;
