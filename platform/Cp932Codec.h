#pragma once
// Shift-JIS (code page 932) <-> UTF-16 for the edit control's boundary. Plain C++.
//
// Decoding is byte-exact reversible: a byte sequence that is not a canonical CP932
// character (an invalid or lone byte, an unassigned pair, a duplicate such as the
// NEC/IBM rows) decodes to escape code points U+DC80 + byte, which encode back to
// the same byte. A character typed into the text that CP932 cannot hold encodes as "?".

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

/// Line ends at the control boundary.
enum class LineEnds {
  Keep,        ///< CR and LF are ordinary characters.
  Paragraphs,  ///< decode: CR LF, CR and LF each become one "\n";
               ///< encode: "\n" (and U+2029) becomes CR LF.
};

/// Decodes into `out`, which must hold `bytes.size()` code units; returns how many
/// were written.
std::size_t DecodeTo(std::string_view bytes, char16_t* out, LineEnds lineEnds);

/// Encodes into `out`, which must hold 2 * `text.size()` bytes; returns how many
/// were written.
std::size_t EncodeTo(std::u16string_view text, char* out, LineEnds lineEnds);

std::u16string Decode(std::string_view bytes, LineEnds lineEnds = LineEnds::Keep);
std::string Encode(std::u16string_view text, LineEnds lineEnds = LineEnds::Keep);

/// True when `c` can be stored in CP932 (escape code points included).
bool IsRepresentable(char16_t c);

}  // namespace cp932
