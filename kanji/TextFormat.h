#pragma once
// The form a text file is written in: its encoding and its line ends. Plain C++.

#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { ShiftJis, Utf8, Utf8Bom, Utf16Le, Utf16Be, EucJp, Jis };
enum class LineEnd { CrLf, Lf, Cr };

/// Every encoding and line end, in the order the user is offered them.
constexpr TextEncoding kTextEncodings[] = {
    TextEncoding::ShiftJis, TextEncoding::Utf8,  TextEncoding::Utf8Bom, TextEncoding::Utf16Le,
    TextEncoding::Utf16Be,  TextEncoding::EucJp, TextEncoding::Jis};
constexpr LineEnd kLineEnds[] = {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr};

struct TextFormat {
  TextEncoding encoding = TextEncoding::ShiftJis;
  LineEnd lineEnd = LineEnd::CrLf;
  /// UTF-16 only: whether the file starts with its byte-order mark.
  bool utf16Mark = true;
  /// UTF-8 and UTF-16 only: the characters CP932 holds under another code point
  /// are written under JIS X 0208's (U+301C WAVE DASH, not CP932's U+FF5E), as the
  /// file read had them.
  bool jisCodePoints = false;

  bool operator==(const TextFormat&) const = default;
};

/// "Shift-JIS", "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE", "EUC-JP", "JIS".
std::string_view EncodingName(TextEncoding encoding);
/// "CRLF", "LF", "CR".
std::string_view LineEndName(LineEnd lineEnd);
/// The encoding's name and the line end's, e.g. "UTF-8 LF".
std::string FormatName(const TextFormat& format);

/// The first line end in `bytes` (an ASCII-compatible text); CR LF when there is none.
LineEnd FirstLineEnd(std::string_view bytes);

/// The Unicode encoding that the first 8192 bytes show: a byte-order mark, NUL bytes
/// at most of the odd (UTF-16LE) or even (UTF-16BE) positions, valid UTF-8 with at
/// least one multi-byte sequence (one cut by the window's end counts as valid), or
/// Japanese text in UTF-16 of one byte order: at least four code units, each one that
/// Japanese text holds, and one in five of them kana, Japanese punctuation, full-width
/// forms or ASCII (one in two when every byte is ASCII).
/// Nothing when they show none of these. Only the window is read, so it costs the
/// same for any length.
std::optional<TextEncoding> DetectUnicode(std::string_view bytes);

/// The encoding of a file's bytes: DetectUnicode's, else CKanjiConverter::DetectCode's
/// on the text up to its first NUL (JIS, EUC-JP or Shift-JIS). Looks at no more than
/// the first 8194 bytes. Throws std::bad_alloc when memory runs out.
TextEncoding RecognizeEncoding(std::string_view bytes);
