#include "bench/textview/TextView.h"

#include "bench/textview/TextBuffer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLine>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qreal kMargin = 4;

}  // namespace

TextView::TextView(TextBuffer& buffer, QWidget* parent)
    : QAbstractScrollArea(parent), m_buffer(buffer), m_layouts(buffer) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setCursor(Qt::IBeamCursor);
  m_layouts.SetFont(font());
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TextView::ScrollBarMoved);
  TextGrown();
}

void TextView::TextGrown() {
  // The paragraph that was last may have grown: its last segment is laid out anew.
  if (m_indexed > 0) m_layouts.Forget(m_indexed - 1, m_openSegments - 1);
  UpdateTall(std::max(0, m_indexed - 1));
  SyncScrollBar();
  if (m_wantsMore) viewport()->update();
}

// Paragraphs from `from` on changed their number of segments, or came new.
void TextView::UpdateTall(int from) {
  while (!m_tall.empty() && m_tall.back().para >= from) m_tall.pop_back();
  int extra = m_tall.empty() ? 0 : m_tall.back().extra;
  m_indexed = m_buffer.ParagraphCount();
  for (int p = from; p < m_indexed; ++p) {
    const int segments = m_layouts.SegmentCount(p);
    if (segments > 1) m_tall.push_back({p, extra += segments - 1});
  }
  m_openSegments = m_layouts.SegmentCount(m_indexed - 1);
}

int TextView::SlotOf(int para, int seg) const {
  const auto it = std::lower_bound(m_tall.begin(), m_tall.end(), para,
                                   [](const Tall& t, int p) { return t.para < p; });
  return para + (it == m_tall.begin() ? 0 : std::prev(it)->extra) + seg;
}

TextView::Row TextView::RowAtSlot(int slot) const {
  const auto extraBefore = [&](std::size_t i) { return i == 0 ? 0 : m_tall[i - 1].extra; };
  // How many tall paragraphs start at or before the slot.
  std::size_t lo = 0, hi = m_tall.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (m_tall[mid].para + extraBefore(mid) <= slot)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == 0) return {slot, 0, 0};
  const Tall& t = m_tall[lo - 1];
  if (slot <= t.para + t.extra) return {t.para, slot - t.para - extraBefore(lo - 1), 0};
  return {slot - t.extra, 0, 0};
}

void TextView::SyncScrollBar() {
  m_syncing = true;
  const int total = m_buffer.ParagraphCount() + (m_tall.empty() ? 0 : m_tall.back().extra);
  verticalScrollBar()->setRange(0, total - 1);
  verticalScrollBar()->setValue(SlotOf(m_top.para, m_top.seg));
  m_syncing = false;
}

void TextView::ScrollBarMoved(int value) {
  if (m_syncing) return;
  m_top = RowAtSlot(value);
  viewport()->update();
}

bool TextView::Next(Row& r) {
  if (r.row + 1 < m_layouts.Rows(r.para, r.seg)) {
    ++r.row;
  } else if (r.seg + 1 < m_layouts.SegmentCount(r.para)) {
    r = {r.para, r.seg + 1, 0};
  } else if (r.para + 1 < m_buffer.ParagraphCount()) {
    r = {r.para + 1, 0, 0};
  } else {
    return false;
  }
  return true;
}

bool TextView::Previous(Row& r) {
  if (r.row > 0) {
    --r.row;
    return true;
  }
  if (r.seg > 0) {
    --r.seg;
  } else if (r.para > 0) {
    --r.para;
    r.seg = m_layouts.SegmentCount(r.para) - 1;
  } else {
    return false;
  }
  r.row = m_layouts.Rows(r.para, r.seg) - 1;
  return true;
}

qreal TextView::Height(const Row& r) {
  return m_layouts.Get(r.para, r.seg).lineAt(r.row).height();
}

TextView::Row TextView::CaretRow() {
  const int seg = m_layouts.SegmentOf(m_caretPara, m_caretOffset);
  const auto local = static_cast<int>(m_caretOffset - m_layouts.SegmentStart(m_caretPara, seg));
  const QTextLayout& layout = m_layouts.Get(m_caretPara, seg);
  const QTextLine line = layout.lineForTextPosition(local);
  return {m_caretPara, seg, line.isValid() ? line.lineNumber() : layout.lineCount() - 1};
}

void TextView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().base());
  painter.setPen(palette().text().color());
  // An edit or a new width may have left the top past its paragraph's rows.
  m_top.seg = std::min(m_top.seg, m_layouts.SegmentCount(m_top.para) - 1);
  m_top.row = std::min(m_top.row, m_layouts.Rows(m_top.para, m_top.seg) - 1);
  const Row caret = CaretRow();
  Row r = m_top;
  for (qreal y = 0; y < viewport()->height();) {
    const QTextLine line = m_layouts.Get(r.para, r.seg).lineAt(r.row);
    line.draw(&painter, {kMargin, y - line.y()});
    if (r == caret && hasFocus()) {
      const auto local = static_cast<int>(m_caretOffset - m_layouts.SegmentStart(r.para, r.seg));
      painter.fillRect(QRectF(kMargin + line.cursorToX(local), y, 1.5, line.height()),
                       palette().text());
    }
    y += line.height();
    if (!Next(r)) break;
  }
  // Text that arrives later may belong on screen.
  m_wantsMore = r.para + 1 >= m_buffer.ParagraphCount();
  if (!m_painted) {
    m_painted = true;
    emit FirstPainted();
  }
  if (m_keyClock.isValid()) {
    std::fprintf(stderr, "key %#x %.2f ms\n", m_key, m_keyClock.nsecsElapsed() / 1e6);
    m_keyClock.invalidate();
  }
}

void TextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  m_layouts.SetWidth(viewport()->width() - 2 * kMargin);
  verticalScrollBar()->setPageStep(10);
}

void TextView::ScrollRows(int rows) {
  for (; rows > 0 && Next(m_top); --rows) {
  }
  for (; rows < 0 && Previous(m_top); ++rows) {
  }
  SyncScrollBar();
  viewport()->update();
}

void TextView::wheelEvent(QWheelEvent* event) { ScrollRows(-event->angleDelta().y() / 40); }

void TextView::EnsureCaretVisible() {
  const Row caret = CaretRow();
  const qreal height = viewport()->height();
  if (caret < m_top) {
    m_top = caret;
  } else {
    qreal y = 0;
    for (Row r = m_top;;) {
      y += Height(r);
      if (r == caret && y <= height) return;
      if (r == caret || y >= height || !Next(r)) break;
    }
    // Below the screen: the caret's row becomes the last one shown.
    m_top = caret;
    qreal used = Height(caret);
    for (Row up = caret; Previous(up) && (used += Height(up)) <= height;) m_top = up;
  }
  SyncScrollBar();
}

void TextView::Insert(const QString& text) {
  const int segments = m_layouts.SegmentCount(m_caretPara);
  m_buffer.Insert(m_caretPara, m_caretOffset, text);
  m_layouts.Forget(m_caretPara, m_layouts.SegmentOf(m_caretPara, m_caretOffset));
  m_caretOffset += text.size();
  if (m_layouts.SegmentCount(m_caretPara) != segments) UpdateTall(m_caretPara);
}

void TextView::SplitAtCaret() {
  m_buffer.Split(m_caretPara, m_caretOffset);
  // Every later paragraph moved down one place.
  m_layouts.Clear();
  UpdateTall(m_caretPara);
  ++m_caretPara;
  m_caretOffset = 0;
}

void TextView::MoveCaret(int by) {
  m_caretOffset += by;
  if (m_caretOffset < 0 && m_caretPara > 0) {
    m_caretOffset = m_buffer.Length(--m_caretPara);
  } else if (m_caretOffset > m_buffer.Length(m_caretPara) &&
             m_caretPara + 1 < m_buffer.ParagraphCount()) {
    ++m_caretPara;
    m_caretOffset = 0;
  }
  m_caretOffset = std::clamp<qsizetype>(m_caretOffset, 0, m_buffer.Length(m_caretPara));
}

void TextView::keyPressEvent(QKeyEvent* event) {
  m_keyClock.start();
  m_key = event->key();
  const QString text = event->text();
  if (event->matches(QKeySequence::MoveToEndOfDocument)) {
    m_caretPara = m_buffer.ParagraphCount() - 1;
    m_caretOffset = m_buffer.Length(m_caretPara);
  } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
    m_caretPara = 0;
    m_caretOffset = 0;
  } else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
    MoveCaret(event->key() == Qt::Key_Left ? -1 : 1);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    SplitAtCaret();
  } else if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
    const int rows = std::max(1, viewport()->height() / fontMetrics().height() - 1);
    ScrollRows(event->key() == Qt::Key_PageDown ? rows : -rows);
    return;
  } else if (!text.isEmpty() && text.front().isPrint()) {
    Insert(text);
  } else {
    m_keyClock.invalidate();
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  EnsureCaretVisible();
  viewport()->update();
}
