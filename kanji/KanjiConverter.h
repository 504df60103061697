#pragma once
// Recognition of JIS (ISO-2022-JP), EUC-JP and Shift-JIS text, and conversion of the
// first two into Shift-JIS. Plain C++.
//
// The source is a NUL-terminated byte string; its first NUL ends the text. Nothing is
// ever read past that NUL. Both converters are single-pass byte machines that keep TAB,
// LF, FF, CR, 0x20-0x7E and the characters of their source encoding, and silently drop
// every other byte, so the output (with its NUL) is never longer than the source + 1.

#include <cstddef>
#include <memory>
#include <string>

constexpr int KANJI_JIS = 1;   ///< a JIS escape sequence was found
constexpr int KANJI_SJIS = 2;  ///< Shift-JIS; also plain ASCII, texts under 3 bytes and ties
constexpr int KANJI_EUC = 3;   ///< EUC-JP

class CKanjiConverter {
 public:
  /// `pszSource` must stay valid for the object's lifetime. Allocates the output
  /// buffer (throws std::bad_alloc when that fails).
  explicit CKanjiConverter(const char* pszSource);
  ~CKanjiConverter();
  CKanjiConverter(const CKanjiConverter&) = delete;
  CKanjiConverter& operator=(const CKanjiConverter&) = delete;

  /// Sets `m_nCode` from at most the first 8192 bytes (plus two bytes of look-ahead),
  /// so it costs the same whatever the length of the text.
  void DetectCode();

  /// Convert the whole source and return the NUL-terminated Shift-JIS output, which
  /// belongs to this object. Each call starts again at the beginning of the source
  /// and overwrites the previous output.
  const char* JisToSjis();
  const char* EucToSjis();

  /// The output of the last conversion (empty before the first).
  const char* Output() const;

  /// JIS X 0208 pair (both bytes 0x21-0x7E) to its Shift-JIS pair, in place.
  static constexpr void PairToSjis(int& first, int& second) {
    if (first & 1) {
      second += second < 0x60 ? 0x1F : 0x20;
    } else {
      second += 0x7E;
    }
    first = (first + (first < 0x5F ? 0xE1 : 0x161)) / 2;
  }

  int m_nCode = 0;  ///< KANJI_JIS, KANJI_SJIS or KANJI_EUC after DetectCode

 private:
  std::unique_ptr<unsigned char[]> m_pOutput;
  const unsigned char* m_pszSource;
  std::size_t m_nLength;  ///< bytes before the source's first NUL
};

/// `text`, which may hold NULs, converted from `code` (KANJI_JIS or KANJI_EUC) to
/// Shift-JIS: each piece between NULs on its own, every NUL kept in its place.
/// Throws std::bad_alloc when memory runs out.
std::string ConvertKeepingNuls(const std::string& text, int code);
