#pragma once
// Shift-JIS (code page 932) <-> UTF-16 for the edit control's boundary. Plain C++.
//
// Decoding is byte-exact reversible: a byte sequence that is not a canonical CP932
// character (an invalid or lone byte, an unassigned pair, a duplicate such as the
// NEC/IBM rows) decodes to escape code points U+DC00 + byte, one per byte, which
// encode back to the same byte. A character typed into the text that CP932 cannot
// hold encodes as "?".
//
// Which bytes are kept, mapped or escaped, and why:
// - 0x00..0x7F are kept as U+0000..U+007F (0x5C stays a backslash, 0x7E a tilde), so
//   paths and ASCII survive any round trip through the control.
// - 0xA1..0xDF map to the half-width katakana U+FF61..U+FF9F.
// - A lead byte (0x81..0x9F, 0xE0..0xFC) with a trail byte (0x40..0x7E, 0x80..0xFC)
//   is one pair. It maps to a character only when glibc iconv decodes it to a code
//   point whose CP932 encoding is this very pair; otherwise (unassigned, or one of
//   the NEC/IBM duplicates: 0x87 0x90 is the same U+2252 as 0x81 0xE0) both bytes
//   become escapes, so saving never silently rewrites the file's bytes.
// - A lead byte followed by anything but a trail byte (or by the end of the text) is
//   escaped alone, and the next byte is decoded afresh: a damaged pair never swallows
//   a line end, a blank or a digit.
// - 0x80, 0xA0 and 0xFD..0xFF, which glibc does not assign, are escaped.
// - Encoding inverts exactly these mappings. Code points that iconv only approximates
//   (U+00A5 as 0x5C, U+203E as 0x7E, U+2016 as 0x81 0x61) cannot be held: they would
//   come back as other characters, so they are saved as "?".
// - CR and LF bytes that do not end a line (LineEnds::Only*) are escaped too.
// Escapes therefore are U+DC0A, U+DC0D and U+DC40..U+DCFF (U+DC7F excepted). A lone
// surrogate among them reaching the text some other way (pasted) cannot be told from
// an escape and is saved as that byte; every other code unit CP932 cannot hold is
// saved as "?".

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

/// Line ends at the control boundary.
enum class LineEnds {
  Keep,        ///< CR and LF are ordinary characters.
  Paragraphs,  ///< decode: CR LF, CR and LF each become one "\n";
               ///< encode: "\n", U+2029 and U+2028 become CR LF and U+00A0
               ///< a blank, as the control's plain text has them.
  /// For bytes whose CR and LF are not all line ends (UTF-16 read as its bytes):
  /// decode: only this one line end becomes "\n", every other CR and LF byte an
  /// escape; encode: as Paragraphs, with this line end for each paragraph end.
  /// Decoding and encoding back gives the same bytes.
  OnlyCrLf,
  OnlyLf,
  OnlyCr,
};

/// Decodes into `out`, which must hold `bytes.size()` code units; returns how many
/// were written.
std::size_t DecodeTo(std::string_view bytes, char16_t* out, LineEnds lineEnds);

/// Where to end a piece of at most `limit` bytes (at least 1) taken from the start
/// of `bytes`, so that decoding a text piece by piece gives what decoding it whole
/// does: just after the last LF within the limit, else at the last character
/// boundary that does not part a CR from its LF. Never 0 for a text that is not
/// empty, even when its first character is longer than the limit.
std::size_t PieceEnd(std::string_view bytes, std::size_t limit);

/// Encodes into `out`, which must hold 2 * `text.size()` bytes; returns how many
/// were written. A surrogate pair (a character outside the BMP) gives one "?".
std::size_t EncodeTo(std::u16string_view text, char* out, LineEnds lineEnds);

std::u16string Decode(std::string_view bytes, LineEnds lineEnds = LineEnds::Keep);
std::string Encode(std::u16string_view text, LineEnds lineEnds = LineEnds::Keep);

/// True when `c` can be stored in CP932 (escape code points included). U+2029 is not:
/// it is stored only as a paragraph end, under LineEnds::Paragraphs.
bool IsRepresentable(char16_t c);

/// The code point CP932 holds in place of `c`, for the JIS-style characters that
/// input methods and web text produce but CP932 keeps under another code point
/// (U+301C WAVE DASH is CP932's U+FF5E, 81 60); `c` itself for every other one.
/// Text entering the view passes through this so that what is shown is what is saved.
char16_t CanonicalCodePoint(char16_t c);

/// Makes `text` what CP932 can store, as text entering the view must be: each
/// character takes its CanonicalCodePoint, and each one CP932 cannot hold at all (a
/// surrogate pair counting as one character) becomes U+3013 "〓" (81 AC). Returns how
/// many characters were replaced by "〓"; appends each of them to `replaced` when given.
/// U+2028, U+2029 and U+00A0 stay: the control's paragraph encoding stores them.
std::size_t MakeRepresentable(std::u16string& text, std::u16string* replaced = nullptr);

}  // namespace cp932
