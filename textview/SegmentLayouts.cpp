#include "textview/SegmentLayouts.h"

#include <QTextOption>

#include <algorithm>

namespace textview {

namespace {

// Far more than the rows of a few screens of short paragraphs.
constexpr std::size_t kKept = 512;
// Tab stops as the plain-text control has them.
constexpr qreal kTabStop = 80;

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

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

int SegmentLayouts::SegmentCount(std::size_t para) const {
  const std::size_t length = m_buffer.Length(para);
  return std::max(1, static_cast<int>((length + kSegment - 1) / kSegment));
}

std::size_t SegmentLayouts::SegmentStart(std::size_t para, int seg) const {
  if (seg == 0) return 0;
  const std::size_t start = static_cast<std::size_t>(seg) * kSegment;
  // Never between the two halves of a surrogate pair: an escape (U+DC80 + byte)
  // alone is a whole character, so only a pair's second half moves the start.
  if (IsLowSurrogate(m_buffer.At({para, start}))) {
    const char16_t before = m_buffer.At({para, start - 1});
    if (before >= 0xD800 && before < 0xDC00) return start + 1;
  }
  return start;
}

std::size_t SegmentLayouts::SegmentEnd(std::size_t para, int seg) const {
  return seg + 1 < SegmentCount(para) ? SegmentStart(para, seg + 1) : m_buffer.Length(para);
}

int SegmentLayouts::SegmentOf(std::size_t para, std::size_t offset) const {
  int seg = std::min(SegmentCount(para) - 1, static_cast<int>(offset / kSegment));
  if (seg > 0 && offset < SegmentStart(para, seg)) --seg;
  return seg;
}

std::unique_ptr<QTextLayout> SegmentLayouts::Make(
    const QString& text, int preeditAt, const QString& preedit,
    const QList<QTextLayout::FormatRange>& formats) const {
  auto layout = std::make_unique<QTextLayout>(text, m_font);
  if (preeditAt >= 0) layout->setPreeditArea(preeditAt, preedit);
  if (!formats.isEmpty()) layout->setFormats(formats);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(kTabStop);
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
  return layout;
}

const QTextLayout& SegmentLayouts::Get(std::size_t para, int seg) {
  auto [it, added] = m_cache.try_emplace(Key{para, seg});
  it->second.used = ++m_clock;
  if (!added) return *it->second.layout;
  const std::size_t start = SegmentStart(para, seg);
  const std::u16string text = m_buffer.Text({{para, start}, {para, SegmentEnd(para, seg)}});
  it->second.layout = Make(QString::fromStdU16String(text));
  const QTextLayout& laid = *it->second.layout;
  if (m_cache.size() > kKept) EvictOldest();
  return laid;
}

void SegmentLayouts::Forget(std::size_t para) {
  std::erase_if(m_cache, [para](const auto& entry) { return entry.first.para == para; });
}

void SegmentLayouts::ForgetFrom(std::size_t para) {
  std::erase_if(m_cache, [para](const auto& entry) { return entry.first.para >= para; });
}

void SegmentLayouts::EvictOldest() {
  auto oldest = std::min_element(m_cache.begin(), m_cache.end(), [](const auto& a, const auto& b) {
    return a.second.used < b.second.used;
  });
  m_cache.erase(oldest);
}

}  // namespace textview
