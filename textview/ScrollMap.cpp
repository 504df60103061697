#include "textview/ScrollMap.h"

#include <algorithm>
#include <iterator>

namespace textview {

void ScrollMap::Reset(std::size_t paragraphs, const SegmentCount& count) {
  m_tall.clear();
  if (paragraphs > 0) Changed(0, paragraphs - 1, paragraphs - 1, count);
}

void ScrollMap::Changed(std::size_t from, std::size_t oldEnd, std::size_t newEnd,
                        const SegmentCount& count) {
  const auto first = std::lower_bound(m_tall.begin(), m_tall.end(), from,
                                      [](const Tall& t, std::size_t p) { return t.para < p; });
  const auto last = std::upper_bound(first, m_tall.end(), oldEnd,
                                     [](std::size_t p, const Tall& t) { return p < t.para; });
  std::vector<Tall> fresh;
  for (std::size_t p = from; p <= newEnd; ++p) {
    const int segments = count(p);
    if (segments > 1) fresh.push_back({p, static_cast<std::size_t>(segments - 1), 0});
  }
  const std::size_t at = static_cast<std::size_t>(first - m_tall.begin());
  const auto kept = m_tall.erase(first, last);
  // Later paragraphs moved by as many places as the changed ones grew or shrank.
  for (auto it = kept; it != m_tall.end(); ++it) it->para = it->para + newEnd - oldEnd;
  m_tall.insert(m_tall.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
  std::size_t extra = ExtraBefore(at);
  for (std::size_t i = at; i < m_tall.size(); ++i) m_tall[i].extra = extra += m_tall[i].own;
}

std::size_t ScrollMap::Steps(std::size_t paragraphs) const {
  return paragraphs + (m_tall.empty() ? 0 : m_tall.back().extra);
}

std::size_t ScrollMap::StepOf(Place place) const {
  const auto it = std::lower_bound(m_tall.begin(), m_tall.end(), place.para,
                                   [](const Tall& t, std::size_t p) { return t.para < p; });
  return place.para + (it == m_tall.begin() ? 0 : std::prev(it)->extra) +
         static_cast<std::size_t>(place.seg);
}

ScrollMap::Place ScrollMap::PlaceAt(std::size_t step) const {
  // How many tall paragraphs start at or before the step.
  std::size_t lo = 0, hi = m_tall.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (m_tall[mid].para + ExtraBefore(mid) <= step)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == 0) return {step, 0};
  const Tall& t = m_tall[lo - 1];
  if (step <= t.para + t.extra)
    return {t.para, static_cast<int>(step - t.para - ExtraBefore(lo - 1))};
  return {step - t.extra, 0};
}

}  // namespace textview
