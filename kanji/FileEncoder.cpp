#include "kanji/FileEncoder.h"

#include "kanji/UnicodeText.h"
#include "platform/Cp932Codec.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <stdexcept>

namespace {

constexpr char16_t kGeta = u'\u3013';

bool IsEscape(char16_t c) { return c >= 0xDC00 && c <= 0xDCFF && cp932::IsRepresentable(c); }
bool IsLineEnd(char16_t c) { return c == u'\n' || c == u'\u2029' || c == u'\u2028'; }
bool UsesIconv(TextEncoding e) { return e == TextEncoding::EucJp || e == TextEncoding::Jis; }
const char* IconvName(TextEncoding e) { return e == TextEncoding::Jis ? "ISO-2022-JP" : "EUC-JP"; }

iconv_t OpenIconv(TextEncoding encoding) {
  const iconv_t cd = iconv_open(IconvName(encoding), "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert");
  return cd;
}

// For each code point CP932 holds: the one iconv writes it as in `encoding`, 0 when
// the encoding holds it under neither that one nor its JIS X 0208 one. Built once.
using IconvForms = std::array<char16_t, 0x10000>;
IconvForms BuildIconvForms(TextEncoding encoding) {
  const iconv_t cd = OpenIconv(encoding);
  const auto converts = [cd](char16_t c) {
    char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    char out[16];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 2, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  };
  IconvForms forms{};
  for (unsigned u = 1; u < 0x10000; ++u) {
    const char16_t c = static_cast<char16_t>(u);
    if (!cp932::IsRepresentable(c) || IsEscape(c)) continue;
    // JIS X 0208's own code point first: glibc's EUC-JP holds U+FF5E too, but only
    // in JIS X 0212, where no reader of EUC-JP looks for a wave dash.
    if (const char16_t jis = JisCodePoint(c); jis && converts(jis))
      forms[u] = jis;
    else if (converts(c))
      forms[u] = c;
  }
  iconv_close(cd);
  return forms;
}

// UTF-8 and UTF-16 under JIS X 0208's code points: each character CP932 holds as itself.
IconvForms BuildJisCodePoints() {
  IconvForms forms{};
  for (unsigned u = 1; u < 0x10000; ++u) {
    const char16_t c = static_cast<char16_t>(u);
    const char16_t jis = JisCodePoint(c);
    if (cp932::IsRepresentable(c) && !IsEscape(c)) forms[u] = jis ? jis : c;
  }
  return forms;
}

// The forms a format writes its characters in; none for CP932's own code points.
// Each is built the first time it is needed.
const IconvForms* FormsFor(const TextFormat& format) {
  if (format.encoding == TextEncoding::Jis) {
    static const IconvForms jis = BuildIconvForms(TextEncoding::Jis);
    return &jis;
  }
  if (format.encoding == TextEncoding::EucJp) {
    static const IconvForms euc = BuildIconvForms(TextEncoding::EucJp);
    return &euc;
  }
  if (format.jisCodePoints && format.encoding != TextEncoding::ShiftJis) {
    static const IconvForms jisCodePoints = BuildJisCodePoints();
    return &jisCodePoints;
  }
  return nullptr;
}

// Whether EUC-JP or JIS holds `c`.
bool IconvHolds(TextEncoding encoding, char16_t c) {
  if (IsEscape(c)) return false;
  if (!cp932::IsRepresentable(c) || c == 0) return true;
  return (*FormsFor({encoding}))[c] != 0;
}

// Whether `text` has a unit in U+DC00..U+DCFF, where the escapes lie: eight at a time.
bool HasEscapeRange(std::u16string_view text) {
  using Units = std::uint16_t __attribute__((vector_size(16)));
  constexpr std::size_t kLanes = sizeof(Units) / sizeof(char16_t);
  const std::size_t n = text.size();
  Units found{};
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    Units units;
    std::memcpy(&units, text.data() + i, sizeof units);
    found |= (Units)(static_cast<Units>(units - 0xDC00) < 0x100);
  }
  for (std::size_t lane = 0; lane < kLanes; ++lane)
    if (found[lane]) return true;
  for (; i < n; ++i)
    if (text[i] >= 0xDC00 && text[i] <= 0xDCFF) return true;
  return false;
}

// How many escapes `text` holds. Most texts hold none, which a quick pass tells.
std::size_t CountEscapes(std::u16string_view text) {
  if (!HasEscapeRange(text)) return 0;
  std::size_t count = 0;
  for (const char16_t c : text) count += IsEscape(c);
  return count;
}

std::size_t PutUtf8(char16_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | c >> 6);
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | c >> 12);
  out[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
  out[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}

// Calls `put` with each character written for `piece`, in order: line ends as the
// format has them, the no-break space as a blank, escapes as "〓", code units CP932
// cannot hold as "?", and with `forms` each other one in the form given there ("〓"
// where there is none).
template <typename Put>
void ForEachWritten(std::u16string_view piece, LineEnd lineEnd, const IconvForms* forms, Put put) {
  const std::size_t n = piece.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = piece[i];
    if (c < 0x80 && c != u'\n') {
      put(c);
    } else if (IsLineEnd(c)) {
      if (lineEnd != LineEnd::Lf) put(u'\r');
      if (lineEnd != LineEnd::Cr) put(u'\n');
    } else if (c == u'\u00A0') {
      put(u' ');
    } else if (IsEscape(c)) {
      put(kGeta);
    } else if (!cp932::IsRepresentable(c)) {
      // As Shift-JIS has it: "?", once for a surrogate pair.
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && piece[i + 1] >= 0xDC00 &&
          piece[i + 1] <= 0xDFFF)
        ++i;
      put(u'?');
    } else if (forms) {
      const char16_t form = (*forms)[c];
      put(form ? form : kGeta);
    } else {
      put(c);
    }
  }
}

// UTF-8 of every code unit as ForEachWritten writes it alone: up to three bytes
// (or CR LF) in the low bytes, their count in the top one. 0 for the first half
// of a surrogate pair, which is written with the unit after it.
using Utf8Table = std::vector<std::uint32_t>;
Utf8Table BuildUtf8Table(LineEnd lineEnd, const IconvForms* forms) {
  Utf8Table table(0x10000);
  for (unsigned u = 0; u < 0x10000; ++u) {
    const char16_t c = static_cast<char16_t>(u);
    if (c >= 0xD800 && c <= 0xDBFF) continue;
    char bytes[4] = {};
    std::size_t length = 0;
    ForEachWritten(std::u16string_view(&c, 1), lineEnd, forms,
                   [&](char16_t written) { length += PutUtf8(written, bytes + length); });
    std::uint32_t entry = static_cast<std::uint32_t>(length) << 24;
    for (std::size_t k = 0; k < length; ++k)
      entry |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k])) << 8 * k;
    table[u] = entry;
  }
  return table;
}

// Built the first time a file is written in its line end and code points.
const Utf8Table& Utf8TableFor(const TextFormat& format) {
  constexpr std::size_t kForms = 2 * std::size(kLineEnds);
  static std::array<Utf8Table, kForms> tables;
  static std::array<std::once_flag, kForms> built;
  const std::size_t form = 2 * static_cast<std::size_t>(format.lineEnd) + format.jisCodePoints;
  std::call_once(built[form], [&format, form] {
    tables[form] = BuildUtf8Table(
        format.lineEnd, FormsFor({TextEncoding::Utf8, format.lineEnd, true, format.jisCodePoints}));
  });
  return tables[form];
}

// Stores one table entry's bytes at `o`; returns the end. Four bytes are stored every
// time: the ones past the character are overwritten by the next.
inline char* PutEntry(char* o, std::uint32_t entry) {
  std::memcpy(o, &entry, 4);
  return o + (entry >> 24);
}

// The table's bytes for each unit: a load and a store per character.
char* PutUtf8Units(std::u16string_view piece, const Utf8Table& table, char* o) {
  static_assert(std::endian::native == std::endian::little, "the bytes are stored low first");
  const char16_t* s = piece.data();
  const std::size_t n = piece.size();
  std::size_t i = 0;
  for (;;) {
    // Four at a time while none of them is a high surrogate, the common case: the
    // four loads do not wait for each other's stores.
    for (; i + 4 <= n; i += 4) {
      const std::uint32_t a = table[s[i]], b = table[s[i + 1]], c = table[s[i + 2]],
                          d = table[s[i + 3]];
      if (a == 0 || b == 0 || c == 0 || d == 0) break;
      o = PutEntry(PutEntry(PutEntry(PutEntry(o, a), b), c), d);
    }
    if (i == n) break;
    if (const std::uint32_t entry = table[s[i]]; entry != 0) {
      o = PutEntry(o, entry);
    } else {  // a high surrogate: "?" for it and its low half, as ForEachWritten has it
      if (i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
      *o++ = '?';
    }
    ++i;
  }
  return o;
}

}  // namespace

cp932::LineEnds OnlyLineEnd(LineEnd lineEnd) {
  switch (lineEnd) {
    case LineEnd::Lf: return cp932::LineEnds::OnlyLf;
    case LineEnd::Cr: return cp932::LineEnds::OnlyCr;
    case LineEnd::CrLf: break;
  }
  return cp932::LineEnds::OnlyCrLf;
}

FileEncoder::FileEncoder(const TextFormat& format) : m_format(format) {
  // The tables are built on first use, not while the first chunk is awaited.
  if (format.encoding == TextEncoding::Utf8 || format.encoding == TextEncoding::Utf8Bom)
    Utf8TableFor(format);
  FormsFor(format);
  if (UsesIconv(format.encoding)) m_iconv = OpenIconv(format.encoding);
}

FileEncoder::~FileEncoder() {
  if (m_iconv) iconv_close(static_cast<iconv_t>(m_iconv));
}

std::size_t FileEncoder::CountUnholdable(std::u16string_view text, TextEncoding encoding) {
  // Shift-JIS holds every escape; Unicode none, and every other character.
  if (encoding == TextEncoding::ShiftJis) return 0;
  if (!UsesIconv(encoding)) return CountEscapes(text);
  std::size_t count = 0;
  for (const char16_t c : text) count += !IconvHolds(encoding, c);
  return count;
}

std::size_t FileEncoder::MaxBytesPerUnit() const {
  switch (m_format.encoding) {
    case TextEncoding::ShiftJis: return 2;  // a pair, or CR LF for one paragraph end
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return 4;  // CR LF
    case TextEncoding::Jis: return 8;      // ESC $ B, a pair, ESC ( B
    default: return 3;
  }
}

std::size_t FileEncoder::EncodeShiftJis(std::u16string_view piece, char* out) const {
  return cp932::EncodeTo(piece, out, OnlyLineEnd(m_format.lineEnd));
}

std::size_t FileEncoder::Iconv(char* out, std::size_t capacity) {
  static_assert(std::endian::native == std::endian::little, "the mapped text is UTF-16LE");
  char* inPtr = reinterpret_cast<char*>(m_mapped.data());
  std::size_t inLeft = 2 * m_mapped.size();
  char* outPtr = out;
  std::size_t outLeft = capacity;
  // Every character was mapped to one the encoding holds.
  if (iconv(static_cast<iconv_t>(m_iconv), &inPtr, &inLeft, &outPtr, &outLeft) ==
      static_cast<std::size_t>(-1))
    throw std::runtime_error(std::strerror(errno));
  return capacity - outLeft;
}

std::size_t FileEncoder::Encode(std::u16string_view piece, char* out) {
  char* o = out;
  if (!m_started) {
    m_started = true;
    const bool mark = m_format.utf16Mark;
    switch (m_format.encoding) {
      case TextEncoding::Utf8Bom: o = std::copy_n("\xEF\xBB\xBF", 3, o); break;
      case TextEncoding::Utf16Le:
        if (mark) o = std::copy_n("\xFF\xFE", 2, o);
        break;
      case TextEncoding::Utf16Be:
        if (mark) o = std::copy_n("\xFE\xFF", 2, o);
        break;
      default: break;
    }
  }
  if (m_format.encoding == TextEncoding::ShiftJis)
    return static_cast<std::size_t>(o - out) + EncodeShiftJis(piece, o);
  const LineEnd lineEnd = m_format.lineEnd;
  switch (m_format.encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: o = PutUtf8Units(piece, Utf8TableFor(m_format), o); break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
      const int high = m_format.encoding == TextEncoding::Utf16Be ? 0 : 1;
      ForEachWritten(piece, lineEnd, FormsFor(m_format), [&o, high](char16_t c) {
        o[high] = static_cast<char>(c >> 8);
        o[1 - high] = static_cast<char>(c & 0xFF);
        o += 2;
      });
      break;
    }
    default:
      m_mapped.clear();
      ForEachWritten(piece, lineEnd, FormsFor(m_format),
                     [this](char16_t c) { m_mapped.push_back(c); });
      o += Iconv(o, MaxBytesPerUnit() * piece.size() + 16);
      break;
  }
  return static_cast<std::size_t>(o - out);
}

std::size_t FileEncoder::Finish(char* out) {
  if (!m_iconv) return 0;
  char* outPtr = out;
  std::size_t outLeft = 16;
  iconv(static_cast<iconv_t>(m_iconv), nullptr, nullptr, &outPtr, &outLeft);
  return 16 - outLeft;
}
