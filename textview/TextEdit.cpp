#include "textview/TextEdit.h"

#include "textview/TextEditState.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLine>

#include <algorithm>

namespace textview {

namespace {

// Room between the text and the viewport's edges, as the plain-text control has it.
constexpr qreal kMargin = 4;

std::u16string_view Units(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// "\r\n", "\r" and U+2029 end a paragraph as "\n" does.
QString WithParagraphEnds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.replace(QChar::ParagraphSeparator, u'\n');
  return text;
}

// `p` after `change`: before it stays, within what was removed goes to the
// inserted text's end (as a text cursor does), after it moves with the text.
text::Position Adjust(text::Position p, const text::Change& change) {
  if (p < change.begin) return p;
  if (p <= change.removedEnd) return change.insertedEnd;
  if (p.paragraph == change.removedEnd.paragraph)
    return {change.insertedEnd.paragraph,
            change.insertedEnd.offset + p.offset - change.removedEnd.offset};
  return {p.paragraph - change.removedEnd.paragraph + change.insertedEnd.paragraph, p.offset};
}

}  // namespace

TextEdit::Impl::Impl(TextEdit& edit) : q(edit) {
  buffer.SetListener([this](const text::Change& change) { OnChange(change); });
}

const QTextLayout& TextEdit::Impl::Layout(std::size_t para, int seg) {
  if (preedit.isEmpty()) return layouts.Get(para, seg);
  const Row at = {caret.paragraph, layouts.SegmentOf(caret.paragraph, caret.offset), 0};
  if (para != at.para || seg != at.seg) return layouts.Get(para, seg);
  if (!preeditLayout) {
    const std::size_t start = layouts.SegmentStart(para, seg);
    const std::u16string text = buffer.Text({{para, start}, {para, layouts.SegmentEnd(para, seg)}});
    QList<QTextLayout::FormatRange> formats = preeditFormats;
    const int local = static_cast<int>(caret.offset - start);
    for (QTextLayout::FormatRange& range : formats) range.start += local;
    preeditLayout = layouts.Make(QString::fromStdU16String(text), local, preedit, formats);
  }
  return *preeditLayout;
}

bool TextEdit::Impl::Next(Row& row) {
  if (row.line + 1 < Layout(row.para, row.seg).lineCount()) {
    ++row.line;
  } else if (row.seg + 1 < layouts.SegmentCount(row.para)) {
    row = {row.para, row.seg + 1, 0};
  } else if (row.para + 1 < buffer.ParagraphCount()) {
    row = {row.para + 1, 0, 0};
  } else {
    return false;
  }
  return true;
}

bool TextEdit::Impl::Previous(Row& row) {
  if (row.line > 0) {
    --row.line;
    return true;
  }
  if (row.seg > 0) {
    --row.seg;
  } else if (row.para > 0) {
    --row.para;
    row.seg = layouts.SegmentCount(row.para) - 1;
  } else {
    return false;
  }
  row.line = Layout(row.para, row.seg).lineCount() - 1;
  return true;
}

int TextEdit::Impl::LocalOffset(text::Position position, const Row& row) const {
  int local = static_cast<int>(position.offset - layouts.SegmentStart(row.para, row.seg));
  if (!preedit.isEmpty() && position == caret) local += preeditCursor;
  return local;
}

TextEdit::Impl::Row TextEdit::Impl::RowOf(text::Position position) {
  Row row{position.paragraph, layouts.SegmentOf(position.paragraph, position.offset), 0};
  const QTextLayout& layout = Layout(row.para, row.seg);
  const QTextLine line = layout.lineForTextPosition(LocalOffset(position, row));
  row.line = line.isValid() ? line.lineNumber() : std::max(0, layout.lineCount() - 1);
  return row;
}

std::optional<QPointF> TextEdit::Impl::RowOrigin(const Row& target) {
  if (target < top) return std::nullopt;
  const qreal height = q.viewport()->height();
  qreal y = 0;
  for (Row row = top; y < height;) {
    if (row == target) return QPointF(kMargin, y);
    y += Height(row);
    if (!Next(row)) break;
  }
  return std::nullopt;
}

qreal TextEdit::Impl::CaretX() {
  const Row row = RowOf(caret);
  return Layout(row.para, row.seg).lineAt(row.line).cursorToX(LocalOffset(caret, row));
}

text::Position TextEdit::Impl::PositionInRow(const Row& row, qreal x) {
  const QTextLine line = Layout(row.para, row.seg).lineAt(row.line);
  int local = line.xToCursor(x);
  // The end of a wrapped row is the start of the next: the caret stays in this row.
  if (local == line.textStart() + line.textLength() && local > line.textStart() &&
      row.line + 1 < Layout(row.para, row.seg).lineCount())
    local = Layout(row.para, row.seg).previousCursorPosition(local);
  return {row.para, layouts.SegmentStart(row.para, row.seg) + static_cast<std::size_t>(local)};
}

text::Position TextEdit::Impl::PositionAt(QPointF point) {
  Row row = top;
  qreal y = 0;
  if (point.y() >= 0) {
    for (Row next = row; y + Height(row) <= point.y() && Next(next); next = row) {
      y += Height(row);
      row = next;
    }
  }
  return PositionInRow(row, point.x() - kMargin);
}

TextEdit::Impl::Row TextEdit::Impl::LastPageTop() {
  const std::size_t para = buffer.ParagraphCount() - 1;
  const int seg = layouts.SegmentCount(para) - 1;
  Row row{para, seg, Layout(para, seg).lineCount() - 1};
  qreal y = Height(row);
  for (Row previous = row; Previous(previous) && y + Height(previous) <= q.viewport()->height();
       row = previous)
    y += Height(previous);
  return row;
}

void TextEdit::Impl::SyncScrollBar() {
  syncing = true;
  QScrollBar* bar = q.verticalScrollBar();
  // The bar ends where the last row reaches the bottom; while a file comes in,
  // its end moves on every piece and is not laid out for that.
  const Row lastTop = loading ? Row{} : LastPageTop();
  const std::size_t last = loading ? scroll.Steps(buffer.ParagraphCount()) - 1
                                   : scroll.StepOf({lastTop.para, lastTop.seg});
  bar->setRange(0, static_cast<int>(std::min<std::size_t>(last, INT_MAX)));
  bar->setPageStep(std::max(1, q.viewport()->height() / std::max(1, q.fontMetrics().height())));
  bar->setValue(
      static_cast<int>(std::min<std::size_t>(scroll.StepOf({top.para, top.seg}), INT_MAX)));
  syncing = false;
}

void TextEdit::Impl::ScrollTo(Row row) {
  top = row;
  SyncScrollBar();
  q.viewport()->update();
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TextEdit::Impl::ScrollRows(int rows) {
  Row row = top;
  for (; rows > 0 && Next(row); --rows) {
  }
  for (; rows < 0 && Previous(row); ++rows) {
  }
  ScrollTo(row);
}

void TextEdit::Impl::EnsureVisible(text::Position position) {
  const Row target = RowOf(position);
  const qreal height = q.viewport()->height();
  if (target < top) {
    ScrollTo(target);
    return;
  }
  qreal y = 0;
  for (Row row = top;;) {
    y += Height(row);
    if (row == target && y <= height) return;
    if (row == target || y >= height || !Next(row)) break;
  }
  // Below the screen: its row becomes the last one shown.
  Row first = target;
  qreal used = Height(target);
  for (Row up = target; Previous(up) && (used += Height(up)) <= height;) first = up;
  ScrollTo(first);
}

void TextEdit::Impl::OnChange(const text::Change& change) {
  const bool sameParagraphs = change.removedEnd.paragraph == change.begin.paragraph &&
                              change.insertedEnd.paragraph == change.begin.paragraph;
  if (sameParagraphs)
    layouts.Forget(change.begin.paragraph);
  else
    layouts.ForgetFrom(change.begin.paragraph);
  ForgetPreeditLayout();
  const auto segments = [this](std::size_t para) { return layouts.SegmentCount(para); };
  scroll.Changed(change.begin.paragraph, change.removedEnd.paragraph, change.insertedEnd.paragraph,
                 segments);
  ForgetRowCountsFrom(change.begin);
  // Text coming in at the end moves neither the caret nor the view.
  const bool appended = loading && change.begin == change.removedEnd;
  const text::Position oldCaret = caret;
  if (!appended) {
    caret = Adjust(caret, change);
    anchor = Adjust(anchor, change);
    if (top.para > change.removedEnd.paragraph)
      top.para = top.para - change.removedEnd.paragraph + change.insertedEnd.paragraph;
    else if (top.para > change.begin.paragraph)
      top = {change.begin.paragraph, 0, 0};
  }
  top.para = std::min(top.para, buffer.ParagraphCount() - 1);
  top.seg = std::min(top.seg, layouts.SegmentCount(top.para) - 1);
  SyncScrollBar();
  q.viewport()->update();
  emit q.TextChanged();
  if (caret != oldCaret) emit q.CaretMoved();
  TellStates();
}

void TextEdit::Impl::TellStates() {
  if (buffer.IsModified() != toldModified) emit q.ModificationChanged(toldModified = !toldModified);
  if (buffer.CanUndo() != toldUndo) emit q.UndoAvailable(toldUndo = !toldUndo);
  if (buffer.CanRedo() != toldRedo) emit q.RedoAvailable(toldRedo = !toldRedo);
  if ((caret != anchor) != toldSelection) emit q.CopyAvailable(toldSelection = !toldSelection);
}

void TextEdit::Impl::Select(text::Position newAnchor, text::Position newCaret) {
  newAnchor = buffer.Clamp(newAnchor);
  newCaret = buffer.Clamp(newCaret);
  const bool selectionChanged = newAnchor != anchor || newCaret != caret;
  const bool caretMoved = newCaret != caret;
  if (!preedit.isEmpty() && caretMoved) ForgetPreeditLayout();
  anchor = newAnchor;
  caret = newCaret;
  caretOn = true;
  q.viewport()->update();
  if (selectionChanged && (caret != anchor || toldSelection)) emit q.SelectionChanged();
  if (caretMoved) {
    emit q.CaretMoved();
    QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
  }
  TellStates();
}

void TextEdit::Impl::Replace(text::Range range, const QString& text, text::EditKind kind) {
  const text::Range put = buffer.Replace(range, Units(WithParagraphEnds(text)), kind);
  preferredX = -1;
  Select(put.end, put.end);
  EnsureVisible(caret);
}

void TextEdit::Impl::ResetView() {
  layouts.Clear();
  ForgetPreeditLayout();
  ForgetRowCounts();
  scroll.Reset(buffer.ParagraphCount(),
               [this](std::size_t para) { return layouts.SegmentCount(para); });
  top = {};
  preferredX = -1;
  SyncScrollBar();
  q.viewport()->update();
}

// ---------------------------------------------------------------------------

TextEdit::TextEdit(QWidget* parent)
    : QAbstractScrollArea(parent), m(std::make_unique<Impl>(*this)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  m->layouts.SetFont(font());
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (m->syncing) return;
    const ScrollMap::Place place = m->scroll.PlaceAt(static_cast<std::size_t>(value));
    m->top = {place.para, place.seg, 0};
    viewport()->update();
  });
  m->ResetView();
}

TextEdit::~TextEdit() { m->buffer.SetListener({}); }

text::TextBuffer& TextEdit::Buffer() { return m->buffer; }
const text::TextBuffer& TextEdit::Buffer() const { return m->buffer; }

void TextEdit::BeginLoad(std::size_t capacity) {
  m->loading = true;
  m->readOnly = true;
  m->buffer.BeginLoad(capacity);
  m->caret = m->anchor = {};
  m->ResetView();
  m->TellStates();
  emit CaretMoved();
}

char16_t* TextEdit::LoadArea() { return m->buffer.LoadArea(); }

void TextEdit::CommitLoaded(std::size_t count) { m->buffer.CommitLoaded(count); }

void TextEdit::EndLoad() {
  m->loading = false;
  m->readOnly = false;
  m->SyncScrollBar();
}

void TextEdit::SetText(std::u16string_view text) {
  BeginLoad(text.size());
  std::copy(text.begin(), text.end(), LoadArea());
  CommitLoaded(text.size());
  EndLoad();
}

text::Position TextEdit::Caret() const { return m->caret; }
text::Position TextEdit::Anchor() const { return m->anchor; }
bool TextEdit::HasSelection() const { return m->caret != m->anchor; }

text::Range TextEdit::Selection() const {
  return {std::min(m->caret, m->anchor), std::max(m->caret, m->anchor)};
}

void TextEdit::SetSelection(text::Position anchor, text::Position caret) {
  m->preferredX = -1;
  m->Select(anchor, caret);
  m->EnsureVisible(m->caret);
}

void TextEdit::SelectAll() {
  m->preferredX = -1;
  m->Select({}, m->buffer.End());
}

std::u16string TextEdit::SelectedText() const { return m->buffer.Text(Selection()); }

void TextEdit::InsertText(const QString& text, text::EditKind kind) {
  m->Replace(Selection(), text, kind);
}

void TextEdit::Undo() {
  if (const std::optional<text::Range> range = m->buffer.Undo()) SetCaret(range->end);
  m->TellStates();
}

void TextEdit::Redo() {
  if (const std::optional<text::Range> range = m->buffer.Redo()) SetCaret(range->end);
  m->TellStates();
}

void TextEdit::BeginEditBlock() { m->buffer.BeginGroup(); }
void TextEdit::EndEditBlock() { m->buffer.EndGroup(); }

bool TextEdit::IsModified() const { return m->buffer.IsModified(); }

void TextEdit::SetModified(bool modified) {
  m->buffer.SetModified(modified);
  m->TellStates();
}

bool TextEdit::IsReadOnly() const { return m->readOnly; }

void TextEdit::SetReadOnly(bool readOnly) {
  m->readOnly = readOnly;
  setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
}

void TextEdit::Impl::ForgetRowCountsFrom(text::Position changed) {
  if (rowCounts.size() > changed.paragraph) rowCounts.resize(changed.paragraph);
  if (segmentRowsPara > changed.paragraph) {
    segmentRows.clear();
  } else if (segmentRowsPara == changed.paragraph) {
    // A segment's end moves when its next one starts after a surrogate pair, so
    // the segment before the changed place is counted again too.
    const auto seg = static_cast<std::size_t>(
        layouts.SegmentOf(changed.paragraph, std::max<std::size_t>(changed.offset, 1) - 1));
    if (segmentRows.size() > seg) segmentRows.resize(seg);
  }
}

std::uint32_t TextEdit::Impl::CountRows(std::size_t para, int seg) {
  const std::u16string text =
      buffer.Text({{para, layouts.SegmentStart(para, seg)}, {para, layouts.SegmentEnd(para, seg)}});
  return static_cast<std::uint32_t>(layouts.Make(QString::fromStdU16String(text))->lineCount());
}

std::optional<TextEdit::RowColumn> TextEdit::CaretRowColumn(std::chrono::milliseconds budget) {
  const qreal width = m->layouts.Width();
  if (width != m->countedWidth) {
    m->countedWidth = width;
    m->ForgetRowCounts();
  }
  if (m->segmentRowsPara != m->caret.paragraph) {
    m->segmentRowsPara = m->caret.paragraph;
    m->segmentRows.clear();
  }
  QElapsedTimer clock;
  clock.start();
  const auto outOfTime = [&clock, budget] { return clock.elapsed() >= budget.count(); };
  while (m->rowCounts.size() < m->caret.paragraph) {
    const std::size_t para = m->rowCounts.size();
    std::uint32_t rows = 0;
    for (int seg = 0; seg < m->layouts.SegmentCount(para); ++seg) rows += m->CountRows(para, seg);
    m->rowCounts.push_back(rows);
    if (outOfTime() && m->rowCounts.size() < m->caret.paragraph) return std::nullopt;
  }
  const Impl::Row caretRow = m->RowOf(m->caret);
  const auto caretSeg = static_cast<std::size_t>(caretRow.seg);
  while (m->segmentRows.size() < caretSeg) {
    m->segmentRows.push_back(m->CountRows(caretRow.para, static_cast<int>(m->segmentRows.size())));
    if (outOfTime() && m->segmentRows.size() < caretSeg) return std::nullopt;
  }
  RowColumn result;
  for (std::size_t p = 0; p < m->caret.paragraph; ++p) result.row += m->rowCounts[p];
  for (std::size_t seg = 0; seg < caretSeg; ++seg) result.row += m->segmentRows[seg];
  result.row += static_cast<std::size_t>(caretRow.line);
  const QTextLine line = m->Layout(caretRow.para, caretRow.seg).lineAt(caretRow.line);
  result.column = m->caret.offset - m->layouts.SegmentStart(caretRow.para, caretRow.seg) -
                  static_cast<std::size_t>(line.textStart());
  return result;
}

QRect TextEdit::CaretRect() const {
  const Impl::Row row = m->RowOf(m->caret);
  const std::optional<QPointF> origin = m->RowOrigin(row);
  const QTextLine line = m->Layout(row.para, row.seg).lineAt(row.line);
  const qreal x = line.cursorToX(m->LocalOffset(m->caret, row));
  if (!origin) return {};
  return QRectF(origin->x() + x, origin->y(), 1, line.height()).toAlignedRect();
}

text::Position TextEdit::PositionAt(QPoint point) const { return m->PositionAt(point); }

void TextEdit::EnsureCaretVisible() { m->EnsureVisible(m->caret); }

QSize TextEdit::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(QString(80, u'0')), metrics.lineSpacing() * 25};
}

void TextEdit::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  painter.fillRect(event->rect(), palette().brush(group, QPalette::Base));
  painter.setPen(palette().color(group, QPalette::Text));
  // An edit or a new width may have left the top past its paragraph's rows.
  m->top.seg = std::min(m->top.seg, m->layouts.SegmentCount(m->top.para) - 1);
  m->top.line =
      std::min(m->top.line, std::max(0, m->Layout(m->top.para, m->top.seg).lineCount() - 1));
  const text::Range selection = Selection();
  const Impl::Row caretRow = m->RowOf(m->caret);
  const qreal height = viewport()->height();
  // Segment by segment from the top row on, each drawn whole and clipped.
  Impl::Row row = m->top;
  qreal y = -m->Layout(row.para, row.seg).lineAt(row.line).y();
  while (y < height) {
    const QTextLayout& layout = m->Layout(row.para, row.seg);
    const std::size_t start = m->layouts.SegmentStart(row.para, row.seg);
    const std::size_t end = m->layouts.SegmentEnd(row.para, row.seg);
    QList<QTextLayout::FormatRange> selections;
    const text::Position segBegin{row.para, start}, segEnd{row.para, end};
    if (!selection.Empty() && selection.begin <= segEnd && selection.end >= segBegin) {
      const std::size_t from = selection.begin < segBegin ? start : selection.begin.offset;
      const std::size_t to = selection.end > segEnd ? end : selection.end.offset;
      QTextLayout::FormatRange range;
      range.start = static_cast<int>(from - start);
      range.length = static_cast<int>(to - from);
      range.format.setBackground(palette().brush(group, QPalette::Highlight));
      range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
      if (range.length > 0) selections.append(range);
    }
    layout.draw(&painter, {kMargin, y}, selections, event->rect());
    if (row.para == caretRow.para && row.seg == caretRow.seg && hasFocus() && m->caretOn &&
        (m->preedit.isEmpty() || m->preeditCursorShown)) {
      layout.drawCursor(&painter, {kMargin, y}, m->LocalOffset(m->caret, caretRow), 1);
    }
    if (m->dropShown && m->dropCaret.paragraph == row.para) {
      const Impl::Row dropRow = m->RowOf(m->dropCaret);
      if (dropRow.seg == row.seg)
        layout.drawCursor(&painter, {kMargin, y}, m->LocalOffset(m->dropCaret, dropRow), 1);
    }
    const QRectF bounds = layout.boundingRect();
    y += layout.lineCount() > 0 ? layout.lineAt(layout.lineCount() - 1).y() +
                                      layout.lineAt(layout.lineCount() - 1).height()
                                : bounds.height();
    row.line = std::max(0, layout.lineCount() - 1);
    if (!m->Next(row)) break;
  }
}

void TextEdit::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  m->layouts.SetWidth(viewport()->width() - 2 * kMargin);
  m->ForgetPreeditLayout();
  m->top.line = 0;
  m->SyncScrollBar();
}

void TextEdit::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    m->layouts.SetFont(font());
    m->ForgetPreeditLayout();
    m->ForgetRowCounts();
    m->top.line = 0;
    m->SyncScrollBar();
    viewport()->update();
  }
}

}  // namespace textview
