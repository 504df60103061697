#include "bench/textview/SegmentLayouts.h"

#include "bench/textview/TextBuffer.h"

#include <QTextOption>

#include <algorithm>

namespace {

// Far more than the rows of a few screens of short paragraphs.
constexpr std::size_t kKept = 512;

}  // namespace

void SegmentLayouts::SetFont(const QFont& font) {
  m_font = font;
  Clear();
}

void SegmentLayouts::SetWidth(qreal width) {
  if (width == m_width) return;
  m_width = width;
  Clear();
}

int SegmentLayouts::SegmentCount(int para) const {
  const qsizetype length = m_buffer.Length(para);
  return std::max(1, static_cast<int>((length + kSegment - 1) / kSegment));
}

qsizetype SegmentLayouts::SegmentStart(int para, int seg) const {
  if (seg == 0) return 0;
  const qsizetype start = seg * kSegment;
  // Never between the two halves of a surrogate pair.
  const QString first = m_buffer.Text(para, start, start + 1);
  return start + (!first.isEmpty() && first.front().isLowSurrogate() ? 1 : 0);
}

int SegmentLayouts::SegmentOf(int para, qsizetype offset) const {
  int seg = std::min(SegmentCount(para) - 1, static_cast<int>(offset / kSegment));
  if (seg > 0 && offset < SegmentStart(para, seg)) --seg;
  return seg;
}

const QTextLayout& SegmentLayouts::Get(int para, int seg) {
  auto [it, added] = m_cache.try_emplace(Key(para, seg));
  it->second.used = ++m_clock;
  if (!added) return *it->second.layout;
  const qsizetype end =
      seg + 1 < SegmentCount(para) ? SegmentStart(para, seg + 1) : m_buffer.Length(para);
  auto layout = std::make_unique<QTextLayout>(
      m_buffer.Text(para, SegmentStart(para, seg), end), m_font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  layout->beginLayout();
  qreal y = 0;
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLineWidth(m_width);
    line.setPosition({0, y});
    y += line.height();
  }
  layout->endLayout();
  it->second.layout = std::move(layout);
  const QTextLayout& laid = *it->second.layout;
  if (m_cache.size() > kKept) EvictOldest();
  return laid;
}

void SegmentLayouts::Forget(int para, int seg) {
  std::erase_if(m_cache, [&](const auto& entry) {
    return entry.first >> 32 == std::uint32_t(para) &&
           static_cast<int>(entry.first & 0xffffffffu) >= seg;
  });
}

void SegmentLayouts::EvictOldest() {
  auto oldest = std::min_element(m_cache.begin(), m_cache.end(), [](const auto& a, const auto& b) {
    return a.second.used < b.second.used;
  });
  m_cache.erase(oldest);
}
