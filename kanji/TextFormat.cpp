#include "kanji/TextFormat.h"

#include "kanji/KanjiConverter.h"
#include "platform/Cp932Codec.h"

#include <algorithm>
#include <cstring>

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::ShiftJis: return "Shift-JIS";
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 BOM";
    case TextEncoding::Utf16Le: return "UTF-16LE";
    case TextEncoding::Utf16Be: return "UTF-16BE";
    case TextEncoding::EucJp: return "EUC-JP";
    case TextEncoding::Jis: return "JIS";
  }
  return {};
}

std::string_view LineEndName(LineEnd lineEnd) {
  switch (lineEnd) {
    case LineEnd::CrLf: return "CRLF";
    case LineEnd::Lf: return "LF";
    case LineEnd::Cr: return "CR";
  }
  return {};
}

std::string FormatName(const TextFormat& format) {
  std::string name(EncodingName(format.encoding));
  name += ' ';
  name += LineEndName(format.lineEnd);
  return name;
}

LineEnd FirstLineEnd(std::string_view bytes) {
  const std::size_t at = bytes.find_first_of("\r\n");
  if (at == std::string_view::npos) return LineEnd::CrLf;
  if (bytes[at] == '\n') return LineEnd::Lf;
  return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

namespace {

constexpr std::size_t kWindow = 8192;

// The length of the UTF-8 sequence that lead byte `b` starts, 0 when it starts none.
// Overlong forms, surrogates and code points past U+10FFFF are checked by the caller.
int SequenceLength(unsigned b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// Valid UTF-8 holding at least one multi-byte sequence; a sequence that the end of
// `s` cuts short counts as valid.
bool IsMultiByteUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  bool multiByte = false;
  for (std::size_t i = 0; i < n;) {
    const unsigned b = p[i];
    const int length = SequenceLength(b);
    if (length == 0) return false;
    if (length == 1) {
      ++i;
      continue;
    }
    for (int k = 1; k < length; ++k) {
      if (i + k >= n) return true;  // cut by the window's end
      const unsigned c = p[i + k];
      // The second byte also rules out overlong forms, surrogates and > U+10FFFF.
      unsigned lo = 0x80, hi = 0xBF;
      if (k == 1 && b == 0xE0) lo = 0xA0;
      if (k == 1 && b == 0xED) hi = 0x9F;
      if (k == 1 && b == 0xF0) lo = 0x90;
      if (k == 1 && b == 0xF4) hi = 0x8F;
      if (c < lo || c > hi) return false;
    }
    multiByte = true;
    i += static_cast<std::size_t>(length);
  }
  return multiByte;
}

// What a UTF-16 code unit says about the text being Japanese.
enum class UnitKind {
  Foreign,  ///< no Japanese text holds it: not this byte order
  Neutral,  ///< kanji and symbols: as likely read from other bytes
  Marker,   ///< kana, Japanese punctuation, full-width forms (whose high byte 0xFF no
            ///< Japanese encoding has), or ASCII (whose other byte is NUL)
};

UnitKind KindOf(char16_t u) {
  const auto in = [u](char16_t first, char16_t last) { return u >= first && u <= last; };
  if (u == u'\t' || u == u'\n' || u == u'\r' || in(0x20, 0x7E) || in(0x3001, 0x3002) ||
      in(0x300C, 0x300F) || in(0x3041, 0x3093) || in(0x309B, 0x309E) || in(0x30A1, 0x30F6) ||
      in(0x30FC, 0x30FE) || in(0xFF01, 0xFF5E) || in(0xFF61, 0xFF9F))
    return UnitKind::Marker;
  // What Shift-JIS holds, and Latin-1's letters. Most of what Shift-JIS and EUC-JP bytes
  // read as UTF-16 give is not: CJK extension A, Hangul, Yi, the private use area, and
  // two kanji in three of the unified block.
  if (u >= 0xA0 && u <= 0xFF) return UnitKind::Neutral;
  if (u < 0x80 || (u >= 0xD800 && u <= 0xDFFF)) return UnitKind::Foreign;
  const char16_t canonical = cp932::CanonicalCodePoint(u);
  char sjis[2];
  if (cp932::EncodeTo(std::u16string_view(&canonical, 1), sjis, cp932::LineEnds::Keep) != 2)
    return UnitKind::Foreign;
  // JIS X 0208 itself: the NEC and IBM extensions are rare in text, and the private
  // use area (F0-F9) is none of it.
  const auto lead = static_cast<unsigned char>(sjis[0]);
  const bool extension = lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0;
  return extension ? UnitKind::Foreign : UnitKind::Neutral;
}

// Japanese text in UTF-16 with little or no ASCII has no NUL bytes to tell it by. Kana
// and Japanese punctuation do: they are one character in two of ordinary prose and
// rarely fewer than one in four of a short phrase, while Shift-JIS, EUC-JP and JIS
// bytes read as UTF-16 give them only by chance (an ASCII "0" in the right place) and
// give characters no Japanese text holds nearly everywhere else.
bool LooksLikeJapaneseUtf16(std::string_view window, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(window.data());
  const std::size_t units = window.size() / 2;
  const auto unit = [p, bigEndian](std::size_t i) {
    const unsigned first = p[2 * i], second = p[2 * i + 1];
    return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  std::size_t markers = 0;
  bool sevenBit = true;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF) {  // a character past U+FFFF, cut or not by the end
      if (i + 1 < units && (unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)) return false;
      sevenBit = false;
      ++i;
      continue;
    }
    const unsigned high = u >> 8, low = u & 0xFF;
    sevenBit = sevenBit && high != 0 && low != 0 && high < 0x80 && low < 0x80;
    const UnitKind kind = KindOf(u);
    if (kind == UnitKind::Foreign) return false;
    markers += kind == UnitKind::Marker;
  }
  // ASCII words read as UTF-16 are kanji as often as not, and "0" beside a letter
  // is a kana: there only text that is mostly kana counts.
  return units >= 4 && markers * (sevenBit ? 2 : 5) >= units;
}

}  // namespace

std::optional<TextEncoding> DetectUnicode(std::string_view bytes) {
  const std::string_view window = bytes.substr(0, kWindow);
  if (window.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
  if (window.starts_with("\xFF\xFE")) return TextEncoding::Utf16Le;
  if (window.starts_with("\xFE\xFF")) return TextEncoding::Utf16Be;
  // Text mostly in ASCII leaves a NUL in every second byte of UTF-16.
  std::size_t nulsAt[2] = {0, 0};
  for (std::size_t i = 0; i < window.size(); ++i) nulsAt[i & 1] += window[i] == '\0';
  const std::size_t odd = window.size() / 2;
  const std::size_t even = window.size() - odd;
  if (window.size() >= 2) {
    if (nulsAt[1] * 2 > odd && nulsAt[0] * 2 <= even) return TextEncoding::Utf16Le;
    if (nulsAt[0] * 2 > even && nulsAt[1] * 2 <= odd) return TextEncoding::Utf16Be;
  }
  // Ahead of UTF-8, since two bytes of a kanji are now and then a valid UTF-8
  // sequence, while UTF-8 text puts lead bytes at both positions, where no Japanese
  // text in UTF-16 has them. A whole file of an odd length is no UTF-16; a window cut
  // from a longer one is even.
  if (window.size() % 2 == 0) {
    const bool le = LooksLikeJapaneseUtf16(window, false);
    if (le != LooksLikeJapaneseUtf16(window, true))
      return le ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
  }
  if (IsMultiByteUtf8(window)) return TextEncoding::Utf8;
  return std::nullopt;
}

TextEncoding RecognizeEncoding(std::string_view bytes) {
  if (const auto unicode = DetectUnicode(bytes)) return *unicode;
  // DetectCode's window and the two bytes it looks past it.
  std::string_view window = bytes.substr(0, kWindow + 2);
  const std::string head(window.substr(0, window.find('\0')));
  CKanjiConverter converter(head.c_str());
  converter.DetectCode();
  switch (converter.m_nCode) {
    case KANJI_JIS: return TextEncoding::Jis;
    case KANJI_EUC: return TextEncoding::EucJp;
    default: return TextEncoding::ShiftJis;
  }
}
