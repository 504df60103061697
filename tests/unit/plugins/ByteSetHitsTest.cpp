// Markwell's search for the bytes a rule may start with, against a byte-by-byte
// count: at every offset and length around its 16-byte blocks, and over counts
// that no byte lane could hold alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "plugins/markwell/ByteSetHits.h"

namespace {

using Hits = markwell::ByteSetHits<0x81, '\r', '<', '&'>;

bool IsSingle(unsigned char b) { return b == '\r' || b == '<' || b == '&'; }

// Bytes that hit, that almost hit, and 0x81 runs of every parity.
std::string RandomText(std::mt19937& random, std::size_t size) {
  static const std::string kBytes =
      "\r<&\x81\x81\x81"
      "a\n>\x80\x82";
  std::string text(size, '\0');
  for (char& c : text) c = kBytes[random() % kBytes.size()];
  return text;
}

TEST(ByteSetHits, MarksEachHitOfABlockAndNothingFromTheEndOn) {
  std::mt19937 random(16);
  for (int round = 0; round < 2000; ++round) {
    const std::string text = RandomText(random, 40);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t begin = random() % 24;
    const std::size_t end = begin + random() % (text.size() - begin + 1);
    std::uint32_t expected = 0;
    for (std::size_t k = 0; k < Hits::kBlock && begin + k < end; ++k) {
      const unsigned char b = bytes[begin + k];
      const bool doubled = b == 0x81 && begin + k + 1 < end && bytes[begin + k + 1] == 0x81;
      expected |= (IsSingle(b) || doubled ? 1u : 0u) << k;
    }
    ASSERT_EQ(Hits::In(bytes + begin, bytes + end), expected) << begin << " " << end;
  }
}

TEST(ByteSetHits, CountsSinglesBeyondWhatOneByteLaneHolds) {
  std::mt19937 random(255);
  for (const std::size_t size : {0, 15, 16, 17, 255 * 16, 255 * 16 + 1, 100000}) {
    const std::string allHits(size, '<');
    const auto* all = reinterpret_cast<const unsigned char*>(allHits.data());
    EXPECT_EQ(Hits::CountSingles(all, all + size), size);

    const std::string text = RandomText(random, size);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t expected = 0;
    for (const unsigned char b : text) expected += IsSingle(b) ? 1 : 0;
    EXPECT_EQ(Hits::CountSingles(bytes, bytes + size), expected) << size;
  }
}

}  // namespace
