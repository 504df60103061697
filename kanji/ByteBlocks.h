#pragma once
// Sixteen bytes at a time for the converters' long runs: JIS X 0208 pairs and printable
// ASCII. Each operation takes the run from its first byte up to the first byte that does
// not belong to it, advances both pointers past what it converted and says whether that
// was anything; the converters take the byte after the run one at a time as usual.
//
// All 16 output bytes are stored; those past the run are overwritten by what follows.
// That stays inside the output buffer, since no more bytes are stored than are read.
// Sixteen bytes are read only while 16 remain before the source's NUL (`end`).
// Little-endian only; elsewhere every byte takes the one-byte path.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kanji_blocks {

using Bytes = std::uint8_t __attribute__((vector_size(16)));
using Words = std::uint16_t __attribute__((vector_size(16)));

constexpr bool kEnabled = std::endian::native == std::endian::little;

inline bool HasBlock(const unsigned char* p, const unsigned char* end) {
  return kEnabled && end - p >= static_cast<std::ptrdiff_t>(sizeof(Bytes));
}

inline Bytes Load(const unsigned char* p) {
  Bytes bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return bytes;
}

/// How many of the bytes, from the first, lie in lo..hi.
inline std::size_t LeadingInRange(Bytes bytes, std::uint8_t lo, std::uint8_t hi) {
  const Bytes outside = (Bytes)(static_cast<Bytes>(bytes - lo) > static_cast<std::uint8_t>(hi - lo));
  std::uint64_t halves[2];
  std::memcpy(halves, &outside, sizeof halves);
  if (halves[0]) return std::countr_zero(halves[0]) / 8;
  if (halves[1]) return 8 + std::countr_zero(halves[1]) / 8;
  return sizeof(Bytes);
}

/// JIS X 0208 pairs to Shift-JIS; `flip` 0x80 first turns EUC-JP into JIS.
inline bool Pairs(const unsigned char*& p, const unsigned char* end, unsigned char*& out,
                  std::uint8_t flip) {
  if (!HasBlock(p, end)) return false;
  const Bytes bytes = Load(p) ^ flip;
  const std::size_t length = LeadingInRange(bytes, 0x21, 0x7E) & ~std::size_t{1};
  // The first byte of a pair is the low byte of its word. CKanjiConverter::PairToSjis
  // without branches.
  Words words;
  std::memcpy(&words, &bytes, sizeof words);
  const Words first = words & 0xFF;
  const Words second = words >> 8;
  const Words odd = first & 1;
  const Words sjisFirst = (first + 0xE1 + ((Words)(first >= 0x5F) & 0x80)) >> 1;
  const Words sjisSecond = second + 0x7E - odd * 0x5F + (odd & (Words)(second >= 0x60));
  const Words sjis = sjisFirst | sjisSecond << 8;
  std::memcpy(out, &sjis, sizeof sjis);
  p += length;
  out += length;
  return length != 0;
}

/// Printable ASCII (0x20-0x7E), which both converters keep as it is.
inline bool Printable(const unsigned char*& p, const unsigned char* end, unsigned char*& out) {
  if (!HasBlock(p, end)) return false;
  const Bytes bytes = Load(p);
  std::memcpy(out, &bytes, sizeof bytes);
  const std::size_t length = LeadingInRange(bytes, 0x20, 0x7E);
  p += length;
  out += length;
  return length != 0;
}

}  // namespace kanji_blocks
