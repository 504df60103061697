#pragma once
// The two converters written the slow, literal way: one byte at a time through NextByte
// and PutByte, with an explicit carried-over byte. The real converters take long runs
// 16 bytes at a time; the tests and the fuzzer compare the two on any input.

#include <string>
#include <string_view>

namespace kanji_test {

class ModelConverter {
 public:
  explicit ModelConverter(std::string_view source)
      : m_source(source.substr(0, source.find('\0'))) {}

  std::string JisToSjis() {
    enum { Ascii, Kanji, Katakana } mode = Ascii;
    for (int b = NextByte(); b != -1; b = Take()) {
      if (b == 0x1B) {
        const int intro = NextByte();
        if (intro == '$' || intro == '(') {
          const int final = NextByte();
          if (intro == '$' && (final == '@' || final == 'B')) mode = Kanji;
          if (intro == '(' && (final == 'B' || final == 'J')) mode = Ascii;
          if (intro == '(' && final == 'I') mode = Katakana;
        }
      } else if (b == 0x0E || b == 0x0F) {
        mode = b == 0x0E ? Katakana : Ascii;
      } else if (mode == Kanji && IsJis(b)) {
        const int c = NextByte();
        if (IsJis(c)) {
          PutPair(b, c);
        } else {
          m_carried = c;
        }
      } else if (mode == Katakana) {
        if (b >= 0x20 && b <= 0x5F) {
          m_out += static_cast<char>(b | 0x80);
        } else {
          mode = Ascii;
          m_carried = b;
        }
      } else {
        PutIfKept(b);
      }
    }
    return m_out;
  }

  std::string EucToSjis() {
    for (int b = NextByte(); b != -1; b = Take()) {
      if (IsEuc(b)) {
        const int c = NextByte();
        if (IsEuc(c)) {
          PutPair(b - 0x80, c - 0x80);
        } else {
          m_carried = c;
        }
      } else if (b == 0x8E) {
        const int c = NextByte();
        if (c >= 0xA0 && c <= 0xDF) {
          m_out += static_cast<char>(c);
        } else {
          m_carried = c;
        }
      } else if (b == 0x8F) {
        const int c = NextByte();
        if (!IsEuc(c)) {
          m_carried = c;
        } else if (const int d = NextByte(); !IsEuc(d)) {
          m_readPos -= d == -1 ? 1 : 2;  // only the 0x8F is dropped
        }
      } else {
        PutIfKept(b);
      }
    }
    return m_out;
  }

 private:
  static bool IsJis(int b) { return b >= 0x21 && b <= 0x7E; }
  static bool IsEuc(int b) { return b >= 0xA1 && b <= 0xFE; }

  int NextByte() {
    if (m_readPos == m_source.size()) return -1;
    return static_cast<unsigned char>(m_source[m_readPos++]);
  }

  // The carried-over byte if there is one, else the next.
  int Take() {
    const int b = m_carried;
    m_carried = -2;
    return b != -2 ? b : NextByte();
  }

  void PutIfKept(int b) {
    if (b == 0x09 || b == 0x0A || b == 0x0C || b == 0x0D || (b >= 0x20 && b <= 0x7E)) {
      m_out += static_cast<char>(b);
    }
  }

  void PutPair(int first, int second) {
    const int row = first - 0x21;  // 0-93
    const int cell = second - 0x21;
    // Rows are packed two per Shift-JIS lead byte, skipping 0xA0-0xDF; the trail byte
    // skips 0x7F.
    const int lead = row / 2 + (row / 2 < 31 ? 0x81 : 0xC1);
    const int index = (row % 2) * 94 + cell;
    const int trail = index + (index < 63 ? 0x40 : 0x41);
    m_out += static_cast<char>(lead);
    m_out += static_cast<char>(trail);
  }

  std::string_view m_source;
  std::size_t m_readPos = 0;
  int m_carried = -2;  // -2: nothing carried; -1 (the end) can be carried too
  std::string m_out;
};

}  // namespace kanji_test
