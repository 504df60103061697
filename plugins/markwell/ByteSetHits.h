#pragma once
// Marks the bytes of a small set in a text, 16 bytes at a time. Plain C++ with the
// vector types GCC and Clang share, which compile to the target's SIMD instructions.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace markwell {

/// The bytes equal to one of `Bytes`, and each `Doubled` byte followed by another.
template <unsigned char Doubled, unsigned char... Bytes>
class ByteSetHits {
 public:
  static constexpr std::size_t kBlock = 16;

  /// Whether the start of `bytes` is a hit.
  static constexpr bool StartsWithHit(std::string_view bytes) {
    const auto at = [bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    return ((at(0) == Bytes) || ...) || (bytes.size() > 1 && at(0) == Doubled && at(1) == Doubled);
  }

  /// How many bytes from `p` to `end` are one of `Bytes`.
  static std::size_t CountSingles(const unsigned char* p, const unsigned char* end) {
    std::size_t count = 0;
    while (end - p >= static_cast<std::ptrdiff_t>(kBlock)) {
      // Each byte lane counts its hits in up to 255 blocks.
      const std::ptrdiff_t blocks = std::min<std::ptrdiff_t>((end - p) / kBlock, 255);
      Block counts{};
      for (const unsigned char* const stop = p + blocks * kBlock; p < stop; p += kBlock) {
        const Block bytes = Load(p);
        counts -= reinterpret_cast<Block>(((bytes == Bytes) | ...));  // a hit is all ones: -1
      }
      count += SumOfLanes(counts);
    }
    for (; p < end; ++p) {
      count += ((*p == Bytes) || ...);
    }
    return count;
  }

  /// The hits among the kBlock bytes from `p`: bit k is set when p[k] is one. Bytes
  /// from `end` on are not read and are no hits.
  static std::uint32_t In(const unsigned char* p, const unsigned char* end) {
    if (end - p <= static_cast<std::ptrdiff_t>(kBlock)) {
      return InShortBlock(p, end);
    }
    // A doubled byte is told by the block one byte further on.
    const Block bytes = Load(p);
    const auto hits = ((bytes == Bytes) | ...) | ((bytes == Doubled) & (Load(p + 1) == Doubled));
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    return Gather(halves[0]) | Gather(halves[1]) << 8;
  }

 private:
  using Block = unsigned char __attribute__((vector_size(kBlock)));
  static_assert(std::endian::native == std::endian::little,
                "byte k of a half is its bits 8k..8k+7");

  static Block Load(const unsigned char* p) {
    Block block;
    std::memcpy(&block, p, kBlock);
    return block;
  }

  // The top bits of the eight bytes of `half`, as bits 0..7.
  static std::uint32_t Gather(std::uint64_t half) {
    const std::uint64_t topBits = half >> 7 & 0x0101010101010101u;
    return static_cast<std::uint32_t>((topBits * 0x0102040810204080u) >> 56);
  }

  static std::size_t SumOfLanes(Block lanes) {
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    std::size_t sum = 0;
    for (std::uint64_t half : halves) {
      const std::uint64_t pairs = (half & 0x00FF00FF00FF00FFu) + (half >> 8 & 0x00FF00FF00FF00FFu);
      sum += (pairs * 0x0001000100010001u) >> 48;
    }
    return sum;
  }

  static std::uint32_t InShortBlock(const unsigned char* p, const unsigned char* end) {
    std::uint32_t hits = 0;
    for (std::size_t k = 0; p + k < end; ++k) {
      const unsigned char b = p[k];
      if (((b == Bytes) || ...) || (b == Doubled && p + k + 1 < end && p[k + 1] == Doubled)) {
        hits |= 1u << k;
      }
    }
    return hits;
  }
};

}  // namespace markwell
