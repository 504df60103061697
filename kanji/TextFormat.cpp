#include "kanji/TextFormat.h"

#include "kanji/KanjiConverter.h"

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
  if (IsMultiByteUtf8(window)) return TextEncoding::Utf8;
  return std::nullopt;
}

TextEncoding RecognizeEncoding(std::string_view bytes) {
  if (const auto unicode = DetectUnicode(bytes)) return *unicode;
  // DetectCode's window and the two bytes it looks past it.
  const std::string head(bytes.substr(0, std::min(bytes.find('\0'), kWindow + 2)));
  CKanjiConverter converter(head.c_str());
  converter.DetectCode();
  switch (converter.m_nCode) {
    case KANJI_JIS: return TextEncoding::Jis;
    case KANJI_EUC: return TextEncoding::EucJp;
    default: return TextEncoding::ShiftJis;
  }
}
