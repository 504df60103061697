#include "platform/Cp932Codec.h"

#include <array>
#include <cstdint>
#include <utility>

#include "platform/Cp932Tables.h"

namespace cp932 {
namespace {

using detail::kHighBytes;
using detail::kLeadRows;
using detail::kPairs;
using detail::kTrailCount;

constexpr char16_t Escape(unsigned byte) { return static_cast<char16_t>(0xDC00 + byte); }

constexpr bool IsTrail(unsigned byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

constexpr unsigned LeadOfRow(int row) { return row < 31 ? 0x81 + row : 0xE0 + row - 31; }

/// Row of kPairs for each lead byte, -1 for every other byte.
constexpr std::array<std::int8_t, 256> kLeadRow = [] {
  std::array<std::int8_t, 256> rows{};
  rows.fill(-1);
  for (int row = 0; row < kLeadRows; ++row) rows[LeadOfRow(row)] = static_cast<std::int8_t>(row);
  return rows;
}();

/// What a byte decodes to when it does not start a pair: its character or its escape.
constexpr std::array<char16_t, 256> kSingle = [] {
  std::array<char16_t, 256> single{};
  for (unsigned b = 0; b < 0x80; ++b) single[b] = static_cast<char16_t>(b);
  for (unsigned b = 0x80; b < 0x100; ++b) {
    const char16_t c = kHighBytes[b - 0x80];
    single[b] = c ? c : Escape(b);
  }
  return single;
}();

/// CP932 bytes of each code unit in the order they are stored: the first byte in
/// the low half, the second (if any) in the high half, which is never 0 for a
/// pair; kCannotHold when CP932 has no place for it.
constexpr std::uint16_t kCannotHold = 0xFFFF;
constexpr std::uint16_t Stored(unsigned first, unsigned second = 0) {
  return static_cast<std::uint16_t>(first | second << 8);
}
constexpr std::array<std::uint16_t, 0x10000> kEncode = [] {
  std::array<std::uint16_t, 0x10000> code{};
  code.fill(kCannotHold);
  // Single bytes (characters and escapes), escapes of trail bytes, then the pairs.
  for (unsigned b = 0; b < 0x100; ++b) code[kSingle[b]] = Stored(b);
  for (unsigned t = 0x40; t < 0x100; ++t) {
    if (IsTrail(t)) code[Escape(t)] = Stored(t);
  }
  for (unsigned b : {'\r', '\n'}) code[Escape(b)] = Stored(b);
  for (int row = 0; row < kLeadRows; ++row) {
    for (int i = 0; i < kTrailCount; ++i) {
      if (const char16_t c = kPairs[row][i]) code[c] = Stored(LeadOfRow(row), 0x40 + i);
    }
  }
  return code;
}();

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

/// How many bytes at `p[i]` (a CR or LF) make one paragraph end under `mode`; 0 when
/// the byte is a character of its own (an escape).
constexpr std::size_t ParagraphEndLength(LineEnds mode, const unsigned char* p, std::size_t i,
                                         std::size_t n) {
  const bool cr = p[i] == '\r';
  const bool crLf = cr && i + 1 < n && p[i + 1] == '\n';
  switch (mode) {
    case LineEnds::Paragraphs: return crLf ? 2 : 1;
    case LineEnds::OnlyCrLf: return crLf ? 2 : 0;
    case LineEnds::OnlyLf: return cr ? 0 : 1;
    case LineEnds::OnlyCr: return cr ? 1 : 0;
    case LineEnds::Keep: break;
  }
  return 0;
}

template <LineEnds kMode>
std::size_t DecodeBytes(const unsigned char* p, std::size_t n, char16_t* out) {
  char16_t* o = out;
  std::size_t i = 0;
  while (i < n) {
    const unsigned b = p[i];
    if (b < 0x80) {
      if (kMode != LineEnds::Keep && (b == '\r' || b == '\n')) {
        const std::size_t length = ParagraphEndLength(kMode, p, i, n);
        *o++ = length ? u'\n' : Escape(b);
        i += length ? length : 1;
        continue;
      }
      *o++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    const int row = kLeadRow[b];
    if (row >= 0 && i + 1 < n) {
      const unsigned t = p[i + 1];
      if (t >= 0x40) {
        if (const char16_t c = kPairs[row][t - 0x40]) {
          *o++ = c;
          i += 2;
          continue;
        }
        if (IsTrail(t)) {
          *o++ = Escape(b);
          *o++ = Escape(t);
          i += 2;
          continue;
        }
      }
    }
    *o++ = kSingle[b];
    ++i;
  }
  return static_cast<std::size_t>(o - out);
}

using EncodeTable = std::array<std::uint16_t, 0x10000>;

/// kEncode for the control's text: its paragraph ends ("\n", U+2029) and line
/// separators (U+2028) are stored as `paragraphEnd`, its no-break space as a blank.
constexpr EncodeTable EncodeParagraphs(std::uint16_t paragraphEnd) {
  EncodeTable code = kEncode;
  code[u'\n'] = code[0x2028] = code[0x2029] = paragraphEnd;
  code[0xA0] = Stored(' ');
  return code;
}
constexpr EncodeTable kEncodeParagraphs = EncodeParagraphs(Stored('\r', '\n'));

const EncodeTable& EncodeTableFor(LineEnds mode) {
  // The single-byte line ends are rarer: their tables are made on first use.
  switch (mode) {
    case LineEnds::Keep: return kEncode;
    case LineEnds::OnlyLf: {
      static const EncodeTable lf = EncodeParagraphs(Stored('\n'));
      return lf;
    }
    case LineEnds::OnlyCr: {
      static const EncodeTable cr = EncodeParagraphs(Stored('\r'));
      return cr;
    }
    case LineEnds::Paragraphs:
    case LineEnds::OnlyCrLf: break;
  }
  return kEncodeParagraphs;
}

/// Stores one character's bytes (not kCannotHold) at `o`; returns the end.
inline char* Store(char* o, unsigned code) {
  // Mixed kana and ASCII defeat branch prediction, so both bytes are stored
  // every time and the width is arithmetic (1 when the high half is set): a
  // single byte's second store is overwritten by the next character, and
  // stays within the 2 bytes per code unit the buffer holds.
  o[0] = static_cast<char>(code & 0xFF);
  o[1] = static_cast<char>(code >> 8);
  return o + 1 + ((code + 0xFF00) >> 16);
}

std::size_t EncodeText(const EncodeTable& table, const char16_t* s, std::size_t n, char* out) {
  char* o = out;
  std::size_t i = 0;
  for (;;) {
    // Four at a time while CP932 holds all four, the common case.
    for (; i + 4 <= n; i += 4) {
      const unsigned a = table[s[i]], b = table[s[i + 1]], c = table[s[i + 2]], d = table[s[i + 3]];
      if (a == kCannotHold || b == kCannotHold || c == kCannotHold || d == kCannotHold) break;
      o = Store(Store(Store(Store(o, a), b), c), d);
    }
    if (i == n) break;
    // Then one: the rest of a text, or a group of four with one it cannot hold.
    if (const unsigned code = table[s[i]]; code != kCannotHold) {
      o = Store(o, code);
    } else {
      // A character outside the BMP is one "?", not two.
      if (IsHighSurrogate(s[i]) && i + 1 < n && IsLowSurrogate(s[i + 1])) ++i;
      *o++ = '?';
    }
    ++i;
  }
  return static_cast<std::size_t>(o - out);
}

}  // namespace

std::size_t PieceEnd(std::string_view bytes, std::size_t limit) {
  if (bytes.size() <= limit) return bytes.size();
  const std::size_t lastLf = bytes.substr(0, limit).rfind('\n');
  if (lastLf != std::string_view::npos) return lastLf + 1;
  // A line longer than the limit: walk its characters as decoding does (a lead
  // byte and a trail byte are one pair, whatever they map to).
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto length = [&](std::size_t i) -> std::size_t {
    return kLeadRow[p[i]] >= 0 && i + 1 < bytes.size() && IsTrail(p[i + 1]) ? 2 : 1;
  };
  std::size_t end = 0;
  while (end + length(end) <= limit) end += length(end);
  if (end > 0 && p[end - 1] == '\r' && p[end] == '\n') --end;
  if (end > 0) return end;
  end = length(0);
  return p[0] == '\r' && p[1] == '\n' ? 2 : end;
}

std::size_t DecodeTo(std::string_view bytes, char16_t* out, LineEnds lineEnds) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  switch (lineEnds) {
    case LineEnds::Keep: return DecodeBytes<LineEnds::Keep>(p, bytes.size(), out);
    case LineEnds::Paragraphs: return DecodeBytes<LineEnds::Paragraphs>(p, bytes.size(), out);
    case LineEnds::OnlyCrLf: return DecodeBytes<LineEnds::OnlyCrLf>(p, bytes.size(), out);
    case LineEnds::OnlyLf: return DecodeBytes<LineEnds::OnlyLf>(p, bytes.size(), out);
    case LineEnds::OnlyCr: return DecodeBytes<LineEnds::OnlyCr>(p, bytes.size(), out);
  }
  return 0;
}

std::size_t EncodeTo(std::u16string_view text, char* out, LineEnds lineEnds) {
  return EncodeText(EncodeTableFor(lineEnds), text.data(), text.size(), out);
}

std::u16string Decode(std::string_view bytes, LineEnds lineEnds) {
  std::u16string text(bytes.size(), u'\0');
  text.resize(DecodeTo(bytes, text.data(), lineEnds));
  return text;
}

std::string Encode(std::u16string_view text, LineEnds lineEnds) {
  std::string bytes(2 * text.size(), '\0');
  bytes.resize(EncodeTo(text, bytes.data(), lineEnds));
  return bytes;
}

bool IsRepresentable(char16_t c) { return kEncode[c] != kCannotHold; }

char16_t CanonicalCodePoint(char16_t c) {
  // Each pair: the code point JIS X 0208 names, and the one CP932 stores for it.
  static constexpr std::pair<char16_t, char16_t> kCp932Forms[] = {
      {u'\u00A2', u'\uFFE0'},  // CENT SIGN -> 81 91
      {u'\u00A3', u'\uFFE1'},  // POUND SIGN -> 81 92
      {u'\u00AC', u'\uFFE2'},  // NOT SIGN -> 81 CA
      {u'\u2014', u'\u2015'},  // EM DASH -> 81 5C
      {u'\u2016', u'\u2225'},  // DOUBLE VERTICAL LINE -> 81 61
      {u'\u2212', u'\uFF0D'},  // MINUS SIGN -> 81 7C
      {u'\u301C', u'\uFF5E'},  // WAVE DASH -> 81 60
  };
  for (const auto& [jis, cp932] : kCp932Forms)
    if (c == jis) return cp932;
  return c;
}

std::size_t MakeRepresentable(std::u16string& text, std::u16string* replaced) {
  constexpr char16_t kGeta = u'\u3013';
  std::size_t count = 0;
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = CanonicalCodePoint(text[i]);
    // The control's own paragraph ends and no-break space are stored as the
    // paragraph encoding writes them (CR LF, a blank).
    if (IsRepresentable(c) || c == u'\u2028' || c == u'\u2029' || c == u'\u00A0') {
      text[out++] = c;
      continue;
    }
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    if (replaced) replaced->append(text, i, pair ? 2 : 1);
    if (pair) ++i;
    text[out++] = kGeta;
    ++count;
  }
  text.resize(out);
  return count;
}

}  // namespace cp932
