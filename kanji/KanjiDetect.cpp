// Recognition: JIS escape sequences first, else the window is scored as EUC-JP and as
// Shift-JIS (a penalty for every byte pattern that does not fit) and the smaller
// penalty wins, Shift-JIS on a tie.
//
// The window is the first N = min(length - 2, 8192) bytes. It stops two bytes short of
// the end, so the rules that look one or two bytes past it always find bytes of the text.

#include "kanji/KanjiConverter.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kWindow = 8192;
constexpr unsigned char kEsc = 0x1B;

constexpr bool InRange(unsigned b, unsigned lo, unsigned hi) { return b - lo <= hi - lo; }

// ESC $ @, ESC $ B (JIS X 0208), ESC ( B, ESC ( J, ESC ( I (ASCII, Roman, katakana).
// Only escapes starting inside the window count; their two further bytes may lie past it.
bool HasJisEscape(const unsigned char* s, std::size_t n) {
  const unsigned char* end = s + n;
  for (const unsigned char* p = s;
       (p = static_cast<const unsigned char*>(std::memchr(p, kEsc, end - p))) != nullptr; ++p) {
    if ((p[1] == '$' && (p[2] == '@' || p[2] == 'B')) ||
        (p[1] == '(' && (p[2] == 'B' || p[2] == 'J' || p[2] == 'I'))) {
      return true;
    }
  }
  return false;
}

// Penalty of a byte judged on its own as EUC-JP: any byte of 0x80 or above that does
// not start a character here.
int EucLoneByte(unsigned b) { return b >= 0x80 ? 10 : 0; }

// A single shift 2 whose second byte is the byte after the window: only whether that
// byte could be a katakana byte counts.
int EucTrailingSs2(unsigned next) { return next >= 0x80 ? 10 : 0; }

int EucPenalty(const unsigned char* s, std::size_t n) {
  int penalty = 0;
  std::size_t i = 0;
  while (i < n) {
    unsigned b = s[i];
    if (InRange(b, 0xA1, 0xFE)) {
      if (i + 1 == n) {
        // A lead byte at the window's last position is not paired: the byte after the
        // window is judged on its own instead (as a single shift, or as a lone byte).
        const unsigned after = s[n];
        penalty += after == 0x8E ? EucTrailingSs2(s[n + 1]) : EucLoneByte(after);
        break;
      }
      if (InRange(s[i + 1], 0xA1, 0xFE)) {
        penalty += b >= 0xD0 ? 1 : 0;  // second-level kanji are rarer
        i += 2;
      } else {
        penalty += 10;
        i += 1;
      }
    } else if (b == 0x8E) {
      if (i + 1 == n) {
        penalty += EucTrailingSs2(s[n]);
        break;
      }
      if (InRange(s[i + 1], 0xA0, 0xDF)) {
        penalty += 1;
        i += 2;
      } else {
        penalty += 10;
        i += 1;
      }
    } else {
      penalty += EucLoneByte(b);
      i += 1;
    }
  }
  return penalty;
}

bool IsSjisLead(unsigned b) { return InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xEF); }

// Penalty of a byte judged on its own as Shift-JIS: half-width katakana cost a little,
// bytes that cannot stand alone cost much.
int SjisLoneByte(unsigned b) {
  if (b < 0x80) return 0;
  return InRange(b, 0xA0, 0xDF) ? 1 : 10;
}

int SjisPenalty(const unsigned char* s, std::size_t n) {
  int penalty = 0;
  std::size_t i = 0;
  while (i < n) {
    const unsigned b = s[i];
    if (!IsSjisLead(b)) {
      penalty += SjisLoneByte(b);
      i += 1;
      continue;
    }
    if (i + 1 == n) {
      penalty += SjisLoneByte(s[n]);  // the lead byte itself is not judged
      break;
    }
    const unsigned c = s[i + 1];
    if (InRange(c, 0x40, 0xFC) && c != 0x7F) {
      penalty += (b << 8 | c) >= 0x989F ? 1 : 0;  // second-level kanji
      i += 2;
    } else {
      penalty += 10;
      i += 1;
    }
  }
  return penalty;
}

}  // namespace

void CKanjiConverter::DetectCode() {
  if (m_nLength <= 2) {
    m_nCode = KANJI_SJIS;
    return;
  }
  const std::size_t n = std::min(m_nLength - 2, kWindow);
  if (HasJisEscape(m_pszSource, n)) {
    m_nCode = KANJI_JIS;
    return;
  }
  m_nCode = SjisPenalty(m_pszSource, n) > EucPenalty(m_pszSource, n) ? KANJI_EUC : KANJI_SJIS;
}
