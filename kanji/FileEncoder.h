#pragma once
// The editor's text written as a file in any TextFormat. Plain C++.
//
// The text is the edit control's: paragraphs end in U+2029, U+2028 or LF, U+00A0 is a
// blank, and the CP932 escapes (U+DC0A, U+DC0D, U+DC40..U+DCFF) stand for bytes that
// are no character.
// What is written is always the Shift-JIS text the control gives, in the chosen form:
// - Shift-JIS: those bytes, with the line ends chosen.
// - UTF-8, UTF-16: each character's code point as CP932 decodes it ("〓" is U+3013),
//   or with TextFormat::jisCodePoints the seven JIS X 0208 names for those CP932 holds
//   under others (U+301C for CP932's U+FF5E).
// - EUC-JP, JIS (ISO-2022-JP): through glibc iconv, under JIS X 0208's code point where
//   glibc holds it so (U+301C; U+FF5E it has only in JIS X 0212).
// A code unit CP932 cannot hold is written as "?", as Shift-JIS has it. An escaped byte
// in any encoding but Shift-JIS, and a character EUC-JP or JIS cannot hold, is written
// as "〓": CountUnholdable tells the caller how many beforehand, to ask the user.

#include "kanji/TextFormat.h"
#include "platform/Cp932Codec.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

/// The codec's handling of line ends in which `lineEnd` alone ends a paragraph.
cp932::LineEnds OnlyLineEnd(LineEnd lineEnd);

class FileEncoder {
 public:
  /// Throws std::bad_alloc when memory runs out, std::runtime_error when iconv has
  /// no converter for the encoding.
  explicit FileEncoder(const TextFormat& format);
  ~FileEncoder();
  FileEncoder(const FileEncoder&) = delete;
  FileEncoder& operator=(const FileEncoder&) = delete;

  /// How many characters of `text` `encoding` cannot hold.
  static std::size_t CountUnholdable(std::u16string_view text, TextEncoding encoding);

  /// Room Encode needs in `out`: this many bytes per code unit, and 16 more.
  std::size_t MaxBytesPerUnit() const;
  /// Encodes the next piece of the text into `out` (a surrogate pair is never split
  /// between pieces) and returns how many bytes it wrote. The first call writes the
  /// byte-order mark, even for an empty piece.
  std::size_t Encode(std::u16string_view piece, char* out);
  /// What ends the file (JIS: back to ASCII) into `out` (16 bytes); how many bytes.
  std::size_t Finish(char* out);

 private:
  std::size_t EncodeShiftJis(std::u16string_view piece, char* out) const;
  std::size_t Iconv(char* out, std::size_t capacity);

  TextFormat m_format;
  bool m_started = false;
  void* m_iconv = nullptr;         ///< iconv_t for EUC-JP and JIS
  std::vector<char16_t> m_mapped;  ///< EUC-JP, JIS: the characters iconv writes
};
