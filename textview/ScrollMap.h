#pragma once
// The scroll bar's steps: one for each segment of each paragraph, so a
// paragraph of one segment is one step, a long one a step per segment, and no
// row count of the whole text is ever needed. Only the tall paragraphs (of more
// than one segment) are listed, with the running count of their extra
// segments, so a step maps to its paragraph by a binary search.

#include <cstddef>
#include <functional>
#include <vector>

namespace textview {

class ScrollMap {
 public:
  /// Where a step is: a paragraph and a segment of it.
  struct Place {
    std::size_t para = 0;
    int seg = 0;
  };
  using SegmentCount = std::function<int(std::size_t para)>;

  /// Paragraphs `from` up to `oldEnd` (both included) became `from` up to
  /// `newEnd`; `count` gives the segments of a paragraph as it is now.
  void Changed(std::size_t from, std::size_t oldEnd, std::size_t newEnd, const SegmentCount& count);
  void Reset(std::size_t paragraphs, const SegmentCount& count);

  std::size_t Steps(std::size_t paragraphs) const;
  std::size_t StepOf(Place place) const;
  Place PlaceAt(std::size_t step) const;

 private:
  struct Tall {
    std::size_t para;
    std::size_t own;    ///< its segments but one
    std::size_t extra;  ///< extra segments of the tall paragraphs up to and with this one
  };
  std::size_t ExtraBefore(std::size_t i) const { return i == 0 ? 0 : m_tall[i - 1].extra; }

  std::vector<Tall> m_tall;
};

}  // namespace textview
