#pragma once
// UTF-8 and UTF-16 files in, Shift-JIS out. Plain C++.
//
// A byte-order mark is dropped. Bytes that are no UTF-8 sequence, a lone surrogate and
// an odd last byte of UTF-16 each decode to U+FFFD, which Shift-JIS cannot hold, so the
// user is told of them with the other characters that were replaced.

#include "kanji/TextFormat.h"

#include <cstddef>
#include <string>
#include <string_view>

/// `bytes` in `encoding` (UTF-8 with or without its mark, UTF-16LE or BE) as UTF-16.
/// Throws std::bad_alloc when memory runs out.
std::u16string DecodeUnicode(std::string_view bytes, TextEncoding encoding);

struct ShiftJisText {
  std::string sjis;            ///< CP932 bytes; line ends as the file had them
  std::size_t replaced = 0;    ///< characters that became "〓"
  std::u16string samples;      ///< the first ten different characters that did
  bool jisCodePoints = false;  ///< more of JIS X 0208's code points than CP932's
};

/// JIS X 0208's code point for a character CP932 holds under another one
/// (U+FF5E: U+301C), 0 for every other character.
char16_t JisCodePoint(char16_t c);

/// The file's text in Shift-JIS: the JIS-style code points become the ones CP932 holds
/// them under, and every character it has no form for becomes "〓". Throws
/// std::bad_alloc when memory runs out.
ShiftJisText UnicodeToShiftJis(std::string_view bytes, TextEncoding encoding);
