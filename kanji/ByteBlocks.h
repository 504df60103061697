#pragma once
// Blocks of 16 bytes for the converters' long runs. Each operation takes the text
// from its first byte up to the first byte it cannot convert in place (one source byte
// to one output byte), advances both pointers past what it converted and returns how
// many bytes that was; the converters take the byte after it one at a time as usual.
//
// Whole output blocks are stored; the bytes past the converted part are overwritten by what
// follows. That stays inside the output buffer, since no more bytes are stored than are
// read. Blocks are read only where they lie wholly before the source's NUL (`end`).
// SSE2 only (every x86-64); elsewhere every byte takes the one-byte path.

#include <cstddef>

#ifdef __SSE2__

#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kanji_blocks {

using Bytes = std::uint8_t __attribute__((vector_size(16)));

inline Bytes Load(const unsigned char* p) {
  Bytes bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return bytes;
}

/// 0xFF in the lanes whose byte lies in lo..hi, else 0.
inline Bytes InRange(Bytes bytes, std::uint8_t lo, std::uint8_t hi) {
  return (Bytes)(static_cast<Bytes>(bytes - lo) <= static_cast<std::uint8_t>(hi - lo));
}

/// Lanes of 0 or 0xFF to one bit per lane, lane 0 in bit 0.
inline std::uint64_t BitMask(Bytes lanes) {
  return static_cast<std::uint32_t>(_mm_movemask_epi8((__m128i)lanes));
}

/// The reverse of BitMask for the low 16 bits: each lane gets its byte of `bits` and
/// keeps its own bit.
inline Bytes LaneMask(std::uint32_t bits) {
  __m128i spread = _mm_cvtsi32_si128(static_cast<int>(bits));
  spread = _mm_unpacklo_epi8(spread, spread);
  spread = _mm_unpacklo_epi16(spread, spread);
  spread = _mm_unpacklo_epi32(spread, spread);
  const Bytes laneBits = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
  return (Bytes)(((Bytes)spread & laneBits) == laneBits);
}

/// TAB, LF, FF, CR and printable ASCII.
inline Bytes Kept(Bytes bytes) {
  return InRange(bytes, 0x20, 0x7E) | InRange(bytes, 0x09, 0x0A) | InRange(bytes, 0x0C, 0x0D);
}

/// CKanjiConverter::PairToSjis on every lane, the lane taken as the first byte of a pair.
inline Bytes AsFirst(Bytes jis) {
  return ((jis + 1) >> 1) + (0x70 + ((Bytes)(jis >= 0x5F) & 0x40));
}

/// The same, the lane taken as the second byte of a pair whose first is in `before`.
inline Bytes AsSecond(Bytes jis, Bytes before) {
  const Bytes odd = before & 1;
  return jis + 0x7E - ((Bytes)(0 - odd) & 0x5F) + (odd & (Bytes)(jis >= 0x60));
}

/// The first bytes of the pairs in `runs` (bit masks), each run of pair bytes being read
/// in pairs from its own start. Adding a run's lowest bit clears the whole run, which
/// picks out the runs that start at an even position.
inline std::uint64_t PairStarts(std::uint64_t runs) {
  constexpr std::uint64_t kEven = 0x5555555555555555;
  const std::uint64_t starts = runs & ~(runs << 1);
  const std::uint64_t evenRuns = runs & ~(runs + (starts & kEven));
  return (evenRuns & kEven) | (runs & ~evenRuns & ~kEven);
}

/// EUC-JP pairs (both bytes 0xA1-0xFE) to Shift-JIS, mixed with bytes that are kept as
/// they are (see Kept). Stops before any other byte and before a first byte whose second
/// is not in these blocks. Working out where the text stops is paid once for four blocks,
/// which suits EUC-JP text with its long runs.
inline int EucText(const unsigned char*& p, const unsigned char* end, unsigned char*& out) {
  constexpr int kBlocks = 4;
  constexpr int kBytes = kBlocks * sizeof(Bytes);
  if (end - p < kBytes) return 0;
  Bytes jis[kBlocks];
  std::uint64_t pairBytes = 0;
  std::uint64_t convertible = 0;
  for (int k = 0; k < kBlocks; ++k) {
    const Bytes raw = Load(p + 16 * k);
    jis[k] = raw ^ 0x80;
    const std::uint64_t pairs = BitMask(InRange(jis[k], 0x21, 0x7E));
    pairBytes |= pairs << 16 * k;
    convertible |= (pairs | BitMask(Kept(raw))) << 16 * k;
  }
  int length = std::countr_one(convertible);
  const std::uint64_t runs = length == kBytes ? pairBytes : pairBytes & ((1ull << length) - 1);
  const std::uint64_t firsts = PairStarts(runs);
  length = std::min(length, std::countr_zero(firsts & ~(runs >> 1)));
  if (length == 0) return 0;

  for (int k = 0; k < kBlocks; ++k) {
    // Every lane converted once as a first and once as a second byte of a pair; the
    // second byte needs the byte before it.
    const Bytes before =
        k == 0 ? (Bytes)_mm_slli_si128((__m128i)jis[0], 1) : Load(p + 16 * k - 1) ^ 0x80;
    const Bytes firstLanes = LaneMask(static_cast<std::uint32_t>(firsts >> 16 * k));
    const Bytes secondLanes = LaneMask(static_cast<std::uint32_t>((firsts << 1) >> 16 * k));
    const Bytes sjis = (firstLanes & AsFirst(jis[k])) | (secondLanes & AsSecond(jis[k], before)) |
                       (~(firstLanes | secondLanes) & (jis[k] ^ 0x80));
    std::memcpy(out + 16 * k, &sjis, sizeof sjis);
  }
  p += length;
  out += length;
  return length;
}

/// A run of JIS X 0208 pairs (both bytes 0x21-0x7E) from `p` on, up to two blocks at a
/// time: in JIS text, kanji runs between escapes are mostly shorter than that, so most
/// runs take one call. Returns 32 when the run may go on.
inline int JisPairs(const unsigned char*& p, const unsigned char* end, unsigned char*& out) {
  constexpr int kBlocks = 2;
  if (end - p < kBlocks * 16) return 0;
  Bytes jis[kBlocks];
  std::uint64_t pairBytes = 0;
  for (int k = 0; k < kBlocks; ++k) {
    jis[k] = Load(p + 16 * k);
    pairBytes |= BitMask(InRange(jis[k], 0x21, 0x7E)) << 16 * k;
  }
  const int length = std::min(std::countr_one(pairBytes), kBlocks * 16) & ~1;
  // The pairs start at even lanes; each odd lane's first byte is the lane before it.
  const Bytes firstLanes = (Bytes)_mm_set1_epi16(0x00FF);
  for (int k = 0; k < kBlocks; ++k) {
    const Bytes before = (Bytes)_mm_slli_epi16((__m128i)jis[k], 8);
    const Bytes sjis = (firstLanes & AsFirst(jis[k])) | (~firstLanes & AsSecond(jis[k], before));
    std::memcpy(out + 16 * k, &sjis, sizeof sjis);
  }
  p += length;
  out += length;
  return length;
}

/// Bytes that are kept as they are (see Kept). Returns 16 when the run may go on.
inline int Kept(const unsigned char*& p, const unsigned char* end, unsigned char*& out) {
  if (end - p < static_cast<std::ptrdiff_t>(sizeof(Bytes))) return 0;
  const Bytes bytes = Load(p);
  std::memcpy(out, &bytes, sizeof bytes);
  const int length = std::countr_one(BitMask(Kept(bytes)));
  p += length;
  out += length;
  return length;
}

}  // namespace kanji_blocks

#else

namespace kanji_blocks {

inline int EucText(const unsigned char*&, const unsigned char*, unsigned char*&) { return 0; }

inline int JisPairs(const unsigned char*&, const unsigned char*, unsigned char*&) { return 0; }

inline int Kept(const unsigned char*&, const unsigned char*, unsigned char*&) { return 0; }

}  // namespace kanji_blocks

#endif
