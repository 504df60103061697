#pragma once
// The editor's text out of its buffer as file bytes, encoded a chunk at a time
// straight from where the buffer stores it: saving a large text never makes a
// second copy of it.

#include "kanji/TextFormat.h"
#include "platform/ChunkedWrite.h"
#include "text/TextBuffer.h"

#include <cstddef>
#include <string>

/// The text of `buffer` as a file in `format` (see FileEncoder), a chunk at a
/// time; the buffer must stay unchanged while the chunks are taken. Throws
/// std::runtime_error when the system has no converter for the encoding.
FillChunk BufferChunks(const text::TextBuffer& buffer, const TextFormat& format);
/// The whole text as Shift-JIS with CR LF between paragraphs.
std::string BufferToSjis(const text::TextBuffer& buffer);
/// How many characters of the text `encoding` cannot hold (see FileEncoder).
std::size_t CountUnholdable(const text::TextBuffer& buffer, TextEncoding encoding);
