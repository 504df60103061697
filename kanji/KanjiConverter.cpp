// The two converters to Shift-JIS.
//
// A byte that the rules "carry over" to the next step is simply not consumed: the next
// step looks at it again. A pair is only read when its first byte is not the NUL, so
// the second read finds at worst the NUL, and an unfinished pair or escape sequence at
// the end is dropped.

#include "kanji/KanjiConverter.h"

#include "kanji/ByteBlocks.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::size_t kMinCapacity = 65536;

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kSo = 0x0E;  // shift out: JIS X 0201 katakana
constexpr unsigned char kSi = 0x0F;  // shift in: back to ASCII

constexpr bool InRange(unsigned b, unsigned lo, unsigned hi) { return b - lo <= hi - lo; }

// Single bytes both converters keep: TAB, LF, FF, CR and printable ASCII.
constexpr std::array<unsigned char, 256> kKept = [] {
  std::array<unsigned char, 256> kept{};
  for (unsigned b = 0x20; b <= 0x7E; ++b) kept[b] = 1;
  kept[0x09] = kept[0x0A] = kept[0x0C] = kept[0x0D] = 1;
  return kept;
}();

// Writes `b` when it is a kept byte. The store is unconditional (the slot is within the
// buffer, since every byte written so far consumed a source byte); only the kept one counts.
inline void PutIfKept(unsigned char*& out, unsigned b) {
  *out = static_cast<unsigned char>(b);
  out += kKept[b];
}

inline void PutPair(unsigned char*& out, int first, int second) {
  CKanjiConverter::PairToSjis(first, second);
  out[0] = static_cast<unsigned char>(first);
  out[1] = static_cast<unsigned char>(second);
  out += 2;
}

enum class JisMode { Ascii, Kanji, Katakana };

// `p` points at an ESC. Returns the position after the sequence, or at the NUL that cut
// it short. Designations of JIS X 0208 and of ASCII, Roman or katakana set the mode; any
// other sequence is dropped up to its last byte read.
const unsigned char* SkipEscape(const unsigned char* p, JisMode& mode) {
  const unsigned intro = p[1];
  if (intro != '$' && intro != '(') return p + (intro == 0 ? 1 : 2);
  const unsigned final = p[2];
  switch (intro << 8 | final) {
    case '$' << 8 | '@':
    case '$' << 8 | 'B': mode = JisMode::Kanji; break;
    case '(' << 8 | 'B':
    case '(' << 8 | 'J': mode = JisMode::Ascii; break;
    case '(' << 8 | 'I': mode = JisMode::Katakana; break;
    default:
      if (final == 0) return p + 2;
  }
  return p + 3;
}

}  // namespace

CKanjiConverter::CKanjiConverter(const char* pszSource)
    : m_pszSource(reinterpret_cast<const unsigned char*>(pszSource)),
      m_nLength(std::strlen(pszSource)) {
  m_pOutput =
      std::make_unique_for_overwrite<unsigned char[]>(std::max(2 * m_nLength, kMinCapacity));
  m_pOutput[0] = 0;
}

CKanjiConverter::~CKanjiConverter() = default;

const char* CKanjiConverter::Output() const {
  return reinterpret_cast<const char*>(m_pOutput.get());
}

const char* CKanjiConverter::JisToSjis() {
  const unsigned char* p = m_pszSource;
  const unsigned char* const end = p + m_nLength;
  unsigned char* out = m_pOutput.get();
  JisMode mode = JisMode::Ascii;
  for (;;) {
    // Long runs first, in blocks; the byte that stops them takes one step below.
    if (mode == JisMode::Kanji) {
      while (kanji_blocks::JisPairs(p, end, out) == 32) {
      }
    } else if (mode == JisMode::Ascii) {
      while (kanji_blocks::Kept(p, end, out) == 16) {
      }
    }
    const unsigned b = *p;
    if (b == kEsc) {
      p = SkipEscape(p, mode);
    } else if (mode == JisMode::Kanji && InRange(b, 0x21, 0x7E)) {
      const unsigned c = p[1];
      if (InRange(c, 0x21, 0x7E)) {
        PutPair(out, b, c);
        p += 2;
      } else {
        ++p;  // odd byte dropped; `c` (maybe a line end or ESC) is looked at next
      }
    } else if (mode == JisMode::Katakana && InRange(b, 0x20, 0x5F)) {
      *out++ = static_cast<unsigned char>(b | 0x80);
      ++p;
    } else if (b == 0) {
      break;
    } else if (b == kSo || b == kSi) {
      mode = b == kSo ? JisMode::Katakana : JisMode::Ascii;
      ++p;
    } else {
      // Any other byte ends a katakana run; in kanji mode spaces and line ends pass
      // through without leaving it.
      if (mode == JisMode::Katakana) mode = JisMode::Ascii;
      PutIfKept(out, b);
      ++p;
    }
  }
  *out = 0;
  return Output();
}

const char* CKanjiConverter::EucToSjis() {
  const unsigned char* p = m_pszSource;
  const unsigned char* const end = p + m_nLength;
  unsigned char* out = m_pOutput.get();
  for (;;) {
    if (kanji_blocks::EucText(p, end, out) != 0) continue;
    const unsigned b = *p;
    if (InRange(b, 0xA1, 0xFE)) {
      const unsigned c = p[1];
      if (InRange(c, 0xA1, 0xFE)) {
        PutPair(out, b - 0x80, c - 0x80);
        p += 2;
      } else {
        ++p;  // lead byte dropped; `c` is looked at on its own
      }
    } else if (b == 0x8E) {
      // Single shift 2: one half-width katakana byte.
      const unsigned c = p[1];
      if (InRange(c, 0xA0, 0xDF)) {
        *out++ = static_cast<unsigned char>(c);
        p += 2;
      } else {
        ++p;
      }
    } else if (b == 0x8F) {
      // Single shift 3: a JIS X 0212 character. Shift-JIS has no place for it, and read
      // as a JIS X 0208 pair it would silently become a different character, so the
      // three bytes are dropped together. A broken sequence loses only the 0x8F.
      p += InRange(p[1], 0xA1, 0xFE) && InRange(p[2], 0xA1, 0xFE) ? 3 : 1;
    } else if (b == 0) {
      break;
    } else {
      PutIfKept(out, b);
      ++p;
    }
  }
  *out = 0;
  return Output();
}

std::string ConvertKeepingNuls(const std::string& text, int code) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t start = 0;;) {
    // Each piece ends at the next NUL, or at the string's own terminator.
    CKanjiConverter converter(text.c_str() + start);
    result += code == KANJI_JIS ? converter.JisToSjis() : converter.EucToSjis();
    const std::size_t nul = text.find('\0', start);
    if (nul == std::string::npos) return result;
    result += '\0';
    start = nul + 1;
  }
}
