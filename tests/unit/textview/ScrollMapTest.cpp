// The scroll bar's steps stay those of the paragraphs' segments through any
// sequence of changes, however paragraphs grow, shrink, split and join.

#include "textview/ScrollMap.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using textview::ScrollMap;

TEST(ScrollMap, StepsFollowTheSegmentsThroughChanges) {
  std::mt19937 random(3);
  std::vector<int> segments(50, 1);
  const auto count = [&segments](std::size_t para) { return segments[para]; };
  ScrollMap map;
  map.Reset(segments.size(), count);
  const auto newSegments = [&random] {
    return random() % 4 == 0 ? 1 + static_cast<int>(random() % 5) : 1;
  };

  for (int round = 0; round < 2000; ++round) {
    // Paragraphs from..oldEnd become a run of 1 to 4 paragraphs.
    const std::size_t from = random() % segments.size();
    const std::size_t oldEnd = std::min(segments.size() - 1, from + random() % 3);
    const std::size_t newCount = 1 + random() % 4;
    segments.erase(segments.begin() + static_cast<std::ptrdiff_t>(from),
                   segments.begin() + static_cast<std::ptrdiff_t>(oldEnd) + 1);
    for (std::size_t i = 0; i < newCount; ++i)
      segments.insert(segments.begin() + static_cast<std::ptrdiff_t>(from), newSegments());
    map.Changed(from, oldEnd, from + newCount - 1, count);

    // Every step maps to its paragraph and segment and back.
    std::size_t step = 0;
    for (std::size_t para = 0; para < segments.size(); ++para)
      for (int seg = 0; seg < segments[para]; ++seg, ++step) {
        ASSERT_EQ(map.StepOf({para, seg}), step) << "round " << round;
        const ScrollMap::Place place = map.PlaceAt(step);
        ASSERT_EQ(place.para, para) << "round " << round << " step " << step;
        ASSERT_EQ(place.seg, seg) << "round " << round << " step " << step;
      }
    ASSERT_EQ(map.Steps(segments.size()), step) << "round " << round;
  }
}

}  // namespace
