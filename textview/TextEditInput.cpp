// What reaches the edit control from the user: keys, the mouse and the wheel,
// the input method, the clipboard and dragged text.

#include "textview/TextEdit.h"

#include "textview/TextEditState.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextLine>

#include <algorithm>

namespace textview {

namespace {

using Row = TextEdit::Impl::Row;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// The next place a caret may stand, by characters or by words, as the
// paragraph's layout says; a paragraph's end is followed by the next one's start.
text::Position NextPosition(TextEdit::Impl& d, text::Position p, QTextLayout::CursorMode mode) {
  if (p.offset >= d.buffer.Length(p.paragraph)) {
    return p.paragraph + 1 < d.buffer.ParagraphCount() ? text::Position{p.paragraph + 1, 0} : p;
  }
  const int seg = d.layouts.SegmentOf(p.paragraph, p.offset);
  const std::size_t start = d.layouts.SegmentStart(p.paragraph, seg);
  const int local =
      d.layouts.Get(p.paragraph, seg).nextCursorPosition(static_cast<int>(p.offset - start), mode);
  return {p.paragraph, start + static_cast<std::size_t>(local)};
}

text::Position PreviousPosition(TextEdit::Impl& d, text::Position p, QTextLayout::CursorMode mode) {
  if (p.offset == 0) {
    return p.paragraph > 0 ? text::Position{p.paragraph - 1, d.buffer.Length(p.paragraph - 1)} : p;
  }
  int seg = d.layouts.SegmentOf(p.paragraph, p.offset);
  std::size_t start = d.layouts.SegmentStart(p.paragraph, seg);
  if (p.offset == start) start = d.layouts.SegmentStart(p.paragraph, --seg);
  const int local = d.layouts.Get(p.paragraph, seg)
                        .previousCursorPosition(static_cast<int>(p.offset - start), mode);
  return {p.paragraph, start + static_cast<std::size_t>(local)};
}

// The word around `p` (double click), within its segment.
text::Range WordAt(TextEdit::Impl& d, text::Position p) {
  const int seg = d.layouts.SegmentOf(p.paragraph, p.offset);
  const std::size_t start = d.layouts.SegmentStart(p.paragraph, seg);
  const QString text = d.layouts.Get(p.paragraph, seg).text();
  QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
  finder.setPosition(static_cast<int>(p.offset - start));
  qsizetype from = finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary();
  finder.setPosition(static_cast<int>(p.offset - start));
  qsizetype to = finder.toNextBoundary();
  if (from < 0) from = 0;
  if (to < 0) to = text.size();
  return {{p.paragraph, start + static_cast<std::size_t>(from)},
          {p.paragraph, start + static_cast<std::size_t>(to)}};
}

Row RowStartOf(TextEdit::Impl& d, text::Position p, text::Position* end) {
  const Row row = d.RowOf(p);
  const QTextLayout& layout = d.Layout(row.para, row.seg);
  const QTextLine line = layout.lineAt(row.line);
  const std::size_t start = d.layouts.SegmentStart(row.para, row.seg);
  int last = line.textStart() + line.textLength();
  // A row wrapped at a blank ends before the blank; one wrapped between two
  // characters (as Japanese is) ends where the next row starts, so that what is
  // typed there follows the row's last character.
  if (row.line + 1 < layout.lineCount() && last > line.textStart() &&
      layout.text().at(last - 1).isSpace())
    last = layout.previousCursorPosition(last);
  *end = {row.para, start + static_cast<std::size_t>(last)};
  return row;
}

bool IsPlainTyping(const QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (mods != Qt::NoModifier && mods != Qt::GroupSwitchModifier) return false;
  // Code points, not units: an emoji comes as a pair of surrogates; joiners
  // and other format characters are typed too.
  for (const char32_t c : e->text().toUcs4())
    if (QChar::isPrint(c) || QChar::category(c) == QChar::Other_Format || c == U'\t') return true;
  return false;
}

}  // namespace

bool TextEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // The keys the control itself handles are its own, not the window's shortcuts.
    auto* key = static_cast<QKeyEvent*>(event);
    static const QKeySequence::StandardKey kOwn[] = {QKeySequence::Copy,
                                                     QKeySequence::Cut,
                                                     QKeySequence::Paste,
                                                     QKeySequence::Undo,
                                                     QKeySequence::Redo,
                                                     QKeySequence::SelectAll,
                                                     QKeySequence::Delete,
                                                     QKeySequence::DeleteEndOfWord,
                                                     QKeySequence::DeleteStartOfWord,
                                                     QKeySequence::MoveToNextChar,
                                                     QKeySequence::MoveToPreviousChar,
                                                     QKeySequence::MoveToNextWord,
                                                     QKeySequence::MoveToPreviousWord,
                                                     QKeySequence::MoveToNextLine,
                                                     QKeySequence::MoveToPreviousLine,
                                                     QKeySequence::MoveToStartOfLine,
                                                     QKeySequence::MoveToEndOfLine,
                                                     QKeySequence::MoveToStartOfDocument,
                                                     QKeySequence::MoveToEndOfDocument,
                                                     QKeySequence::SelectNextChar,
                                                     QKeySequence::SelectPreviousChar,
                                                     QKeySequence::SelectNextWord,
                                                     QKeySequence::SelectPreviousWord,
                                                     QKeySequence::SelectNextLine,
                                                     QKeySequence::SelectPreviousLine,
                                                     QKeySequence::SelectStartOfLine,
                                                     QKeySequence::SelectEndOfLine,
                                                     QKeySequence::SelectStartOfDocument,
                                                     QKeySequence::SelectEndOfDocument};
    const bool own = std::any_of(std::begin(kOwn), std::end(kOwn),
                                 [key](QKeySequence::StandardKey k) { return key->matches(k); });
    if (own || IsPlainTyping(key) || key->keyCombination() == (Qt::CTRL | Qt::Key_Y)) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void TextEdit::keyPressEvent(QKeyEvent* e) {
  Impl& d = *m;
  const auto go = [&](text::Position to, bool extend) {
    d.Select(extend ? d.anchor : to, to);
    d.EnsureVisible(d.caret);
  };
  const auto matches = [e](QKeySequence::StandardKey move, QKeySequence::StandardKey select,
                           bool& extend) {
    extend = e->matches(select);
    return extend || e->matches(move);
  };
  bool extend = false;
  const bool keepX = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down ||
                     e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown;
  if (!keepX) d.preferredX = -1;

  if (e->matches(QKeySequence::SelectAll)) return SelectAll();
  if (e->matches(QKeySequence::Copy)) return Copy();
  if (matches(QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, extend)) {
    // A selection given up by Right leaves the caret at its end.
    if (HasSelection() && !extend) return go(Selection().end, false);
    return go(NextPosition(d, d.caret, QTextLayout::SkipCharacters), extend);
  }
  if (matches(QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, extend)) {
    if (HasSelection() && !extend) return go(Selection().begin, false);
    return go(PreviousPosition(d, d.caret, QTextLayout::SkipCharacters), extend);
  }
  if (matches(QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, extend))
    return go(NextPosition(d, d.caret, QTextLayout::SkipWords), extend);
  if (matches(QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, extend))
    return go(PreviousPosition(d, d.caret, QTextLayout::SkipWords), extend);
  if (matches(QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, extend))
    return go({}, extend);
  if (matches(QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, extend))
    return go(d.buffer.End(), extend);
  if (matches(QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, extend)) {
    text::Position end;
    const Row row = RowStartOf(d, d.caret, &end);
    const int start = d.Layout(row.para, row.seg).lineAt(row.line).textStart();
    return go(
        {row.para, d.layouts.SegmentStart(row.para, row.seg) + static_cast<std::size_t>(start)},
        extend);
  }
  if (matches(QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, extend)) {
    text::Position end;
    RowStartOf(d, d.caret, &end);
    return go(end, extend);
  }
  const bool down = matches(QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, extend);
  if (down || matches(QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, extend)) {
    if (d.preferredX < 0) d.preferredX = d.CaretX();
    Row row = d.RowOf(d.caret);
    const bool moved = down ? d.Next(row) : d.Previous(row);
    const qreal x = d.preferredX;
    go(moved ? d.PositionInRow(row, x) : (down ? d.buffer.End() : text::Position{}), extend);
    d.preferredX = x;
    return;
  }
  const bool pageDown = matches(QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, extend);
  if (pageDown ||
      matches(QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, extend)) {
    if (d.preferredX < 0) d.preferredX = d.CaretX();
    const int rows = std::max(1, viewport()->height() / std::max(1, fontMetrics().height()) - 1);
    Row row = d.RowOf(d.caret);
    int moved = 0;
    for (; moved < rows && (pageDown ? d.Next(row) : d.Previous(row)); ++moved) {
    }
    const qreal x = d.preferredX;
    d.ScrollRows(pageDown ? moved : -moved);
    go(d.PositionInRow(row, x), extend);
    d.preferredX = x;
    return;
  }

  if (e->matches(QKeySequence::Cut)) return Cut();
  if (e->matches(QKeySequence::Paste)) return Paste();
  if (e->matches(QKeySequence::Undo)) return Undo();
  if (e->matches(QKeySequence::Redo) || e->keyCombination() == (Qt::CTRL | Qt::Key_Y))
    return Redo();
  if (d.readOnly) {
    e->ignore();
    return;
  }
  if (e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfWord)) {
    const bool forward = e->matches(QKeySequence::DeleteEndOfWord);
    if (HasSelection()) return d.Replace(Selection(), {}, text::EditKind::Other);
    const text::Position to = forward ? NextPosition(d, d.caret, QTextLayout::SkipWords)
                                      : PreviousPosition(d, d.caret, QTextLayout::SkipWords);
    return d.Replace({std::min(to, d.caret), std::max(to, d.caret)}, {}, text::EditKind::Other);
  }
  if (e->matches(QKeySequence::Delete)) {
    if (HasSelection()) return d.Replace(Selection(), {}, text::EditKind::Other);
    const text::Position to = NextPosition(d, d.caret, QTextLayout::SkipCharacters);
    return d.Replace({d.caret, to}, {}, text::EditKind::DeleteForward);
  }
  if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~Qt::ShiftModifier)) {
    if (HasSelection()) return d.Replace(Selection(), {}, text::EditKind::Other);
    // One character: a pair of surrogates is one, a combining mark another.
    text::Position from = d.caret;
    if (from.offset > 0) {
      --from.offset;
      if (from.offset > 0 && IsLowSurrogate(d.buffer.At(from)) &&
          IsHighSurrogate(d.buffer.At({from.paragraph, from.offset - 1})))
        --from.offset;
    } else if (from.paragraph > 0) {
      from = {from.paragraph - 1, d.buffer.Length(from.paragraph - 1)};
    }
    return d.Replace({from, d.caret}, {}, text::EditKind::DeleteBackward);
  }
  if (e->matches(QKeySequence::InsertParagraphSeparator) ||
      e->matches(QKeySequence::InsertLineSeparator))
    return d.Replace(Selection(), FilterInput(QStringLiteral("\n")), text::EditKind::Other);
  if (IsPlainTyping(e))
    return d.Replace(Selection(), FilterInput(e->text()), text::EditKind::Typing);
  e->ignore();
}

// --- The clipboard

void TextEdit::Copy() const {
  if (!HasSelection()) return;
  QGuiApplication::clipboard()->setMimeData(CreateMimeDataFromSelection());
}

void TextEdit::Cut() {
  if (!HasSelection() || m->readOnly) return;
  Copy();
  m->Replace(Selection(), {}, text::EditKind::Other);
}

void TextEdit::Paste() {
  if (m->readOnly) return;
  if (const QMimeData* data = QGuiApplication::clipboard()->mimeData()) InsertFromMimeData(data);
}

bool TextEdit::CanPaste() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return !m->readOnly && data && CanInsertFromMimeData(data);
}

bool TextEdit::CanInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void TextEdit::InsertFromMimeData(const QMimeData* source) {
  if (source->hasText())
    m->Replace(Selection(), FilterInput(source->text()), text::EditKind::Other);
}

QMimeData* TextEdit::CreateMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(QString::fromStdU16String(SelectedText()));
  return data;
}

// --- The mouse and the wheel

void TextEdit::mousePressEvent(QMouseEvent* e) {
  Impl& d = *m;
  const QPoint point = e->position().toPoint();
  if (e->button() == Qt::MiddleButton) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && !d.readOnly) {
      d.Select(d.PositionAt(point), d.PositionAt(point));
      const QString text = clipboard->text(QClipboard::Selection);
      if (!text.isEmpty()) d.Replace(Selection(), FilterInput(text), text::EditKind::Other);
    }
    return;
  }
  if (e->button() != Qt::LeftButton) return;
  const bool again =
      d.lastClick.isValid() &&
      d.lastClick.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
      (point - d.lastClickPoint).manhattanLength() < QApplication::startDragDistance();
  d.clicks = again ? d.clicks + 1 : 1;
  d.lastClick.start();
  d.lastClickPoint = point;
  d.preferredX = -1;
  const text::Position at = d.PositionAt(point);
  if (d.clicks >= 3) {
    d.Select({at.paragraph, 0}, {at.paragraph, d.buffer.Length(at.paragraph)});
    return;
  }
  const text::Range selection = Selection();
  if (!(e->modifiers() & Qt::ShiftModifier) && HasSelection() && selection.begin <= at &&
      at < selection.end) {
    d.mayDrag = true;
    d.pressPoint = point;
    return;
  }
  d.selecting = true;
  d.Select(e->modifiers() & Qt::ShiftModifier ? d.anchor : at, at);
}

void TextEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  Impl& d = *m;
  d.clicks = 2;
  d.lastClick.start();
  d.lastClickPoint = e->position().toPoint();
  const text::Range word = WordAt(d, d.PositionAt(e->position()));
  d.Select(word.begin, word.end);
}

void TextEdit::mouseMoveEvent(QMouseEvent* e) {
  Impl& d = *m;
  const QPoint point = e->position().toPoint();
  d.lastMouse = point;
  if (d.mayDrag && (point - d.pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
    d.mayDrag = false;
    auto* drag = new QDrag(this);
    drag->setMimeData(CreateMimeDataFromSelection());
    const Qt::DropActions actions = d.readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    if (drag->exec(actions, Qt::MoveAction) == Qt::MoveAction && drag->target() != viewport() &&
        !d.readOnly)
      d.Replace(Selection(), {}, text::EditKind::Other);
    return;
  }
  if (!d.selecting || !(e->buttons() & Qt::LeftButton)) return;
  // Beyond the top or bottom the view scrolls on while the button is held.
  if (point.y() < 0 || point.y() > viewport()->height()) {
    if (!d.autoScroll.isActive()) d.autoScroll.start(50, this);
  } else {
    d.autoScroll.stop();
  }
  d.Select(d.anchor, d.PositionAt(point));
}

void TextEdit::mouseReleaseEvent(QMouseEvent* e) {
  Impl& d = *m;
  d.autoScroll.stop();
  if (d.mayDrag) {
    d.mayDrag = false;
    const text::Position at = d.PositionAt(e->position());
    d.Select(at, at);
  }
  d.selecting = false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (HasSelection() && clipboard->supportsSelection())
    clipboard->setText(QString::fromStdU16String(SelectedText()), QClipboard::Selection);
}

void TextEdit::wheelEvent(QWheelEvent* e) {
  const int notches = e->angleDelta().y() / 120;
  if (notches == 0) return;
  m->ScrollRows(-notches * QApplication::wheelScrollLines());
  e->accept();
}

void TextEdit::timerEvent(QTimerEvent* e) {
  Impl& d = *m;
  if (e->timerId() == d.blink.timerId()) {
    d.caretOn = !d.caretOn;
    // Only the caret's place: a blink repaints no text around it.
    viewport()->update(CaretRect().adjusted(-2, 0, 2, 0));
  } else if (e->timerId() == d.autoScroll.timerId()) {
    d.ScrollRows(d.lastMouse.y() < 0 ? -1 : 1);
    d.Select(d.anchor, d.PositionAt(d.lastMouse));
  } else {
    QAbstractScrollArea::timerEvent(e);
  }
}

void TextEdit::focusInEvent(QFocusEvent* e) {
  Impl& d = *m;
  d.caretOn = true;
  // The caret blinks only while the control has the focus: an idle window
  // asks nothing of the processor.
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) d.blink.start(flash / 2, this);
  viewport()->update();
  QAbstractScrollArea::focusInEvent(e);
}

void TextEdit::focusOutEvent(QFocusEvent* e) {
  m->blink.stop();
  viewport()->update();
  QAbstractScrollArea::focusOutEvent(e);
}

bool TextEdit::focusNextPrevChild(bool) { return false; }

// --- The input method

void TextEdit::inputMethodEvent(QInputMethodEvent* e) {
  Impl& d = *m;
  if (d.readOnly) {
    e->ignore();
    return;
  }
  if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
    text::Range range = Selection();
    if (e->replacementLength() > 0 || e->replacementStart() != 0) {
      const std::size_t length = d.buffer.Length(d.caret.paragraph);
      const auto at = static_cast<long long>(d.caret.offset) + e->replacementStart();
      const auto from = static_cast<std::size_t>(std::clamp<long long>(at, 0, length));
      const auto to = std::min(length, from + static_cast<std::size_t>(e->replacementLength()));
      range = {{d.caret.paragraph, from}, {d.caret.paragraph, to}};
    }
    d.Replace(range, FilterInput(e->commitString()), text::EditKind::Typing);
  }
  d.preedit = e->preeditString();
  d.preeditFormats.clear();
  d.preeditCursor = d.preedit.size();
  d.preeditCursorShown = true;
  for (const QInputMethodEvent::Attribute& a : e->attributes()) {
    if (a.type == QInputMethodEvent::Cursor) {
      d.preeditCursor = a.start;
      d.preeditCursorShown = a.length != 0;
    } else if (a.type == QInputMethodEvent::TextFormat) {
      QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
      if (format.isValid()) {
        QTextLayout::FormatRange range;
        range.start = a.start;
        range.length = a.length;
        range.format = format;
        d.preeditFormats.append(range);
      }
    }
  }
  d.ForgetPreeditLayout();
  d.EnsureVisible(d.caret);
  viewport()->update();
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
  e->accept();
}

QVariant TextEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  const Impl& d = *m;
  // A window of the caret's paragraph: a long one is never copied whole.
  constexpr std::size_t kAround = 1024;
  const std::size_t length = d.buffer.Length(d.caret.paragraph);
  const std::size_t from = d.caret.offset > kAround ? d.caret.offset - kAround : 0;
  const std::size_t to = std::min(length, d.caret.offset + kAround);
  const auto within = [&](text::Position p) {
    return p.paragraph == d.caret.paragraph
               ? static_cast<qlonglong>(std::clamp(p.offset, from, to) - from)
               : static_cast<qlonglong>(d.caret.offset - from);
  };
  switch (query) {
    case Qt::ImEnabled: return !d.readOnly;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: return QRectF(CaretRect().translated(viewport()->pos()));
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition: return within(d.caret);
    case Qt::ImAnchorPosition: return within(d.anchor);
    case Qt::ImSurroundingText:
      return QString::fromStdU16String(
          d.buffer.Text({{d.caret.paragraph, from}, {d.caret.paragraph, to}}));
    case Qt::ImCurrentSelection:
      return Selection().begin.paragraph == Selection().end.paragraph
                 ? QString::fromStdU16String(SelectedText())
                 : QString();
    case Qt::ImMaximumTextLength: return QVariant();
    case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImReadOnly: return d.readOnly;
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// --- Dragged text

void TextEdit::dragEnterEvent(QDragEnterEvent* e) {
  if (m->readOnly || !CanInsertFromMimeData(e->mimeData())) return e->ignore();
  e->acceptProposedAction();
}

void TextEdit::dragMoveEvent(QDragMoveEvent* e) {
  Impl& d = *m;
  if (d.readOnly || !CanInsertFromMimeData(e->mimeData())) return e->ignore();
  d.dropCaret = d.PositionAt(e->position());
  d.dropShown = true;
  viewport()->update();
  e->acceptProposedAction();
}

void TextEdit::dragLeaveEvent(QDragLeaveEvent*) {
  m->dropShown = false;
  viewport()->update();
}

void TextEdit::dropEvent(QDropEvent* e) {
  Impl& d = *m;
  d.dropShown = false;
  if (d.readOnly || !CanInsertFromMimeData(e->mimeData())) return e->ignore();
  const text::Position at = d.PositionAt(e->position());
  const bool moveHere = e->source() == this && e->dropAction() == Qt::MoveAction;
  const text::Range moved = Selection();
  if (moveHere && moved.begin <= at && at <= moved.end) return e->ignore();
  d.buffer.BeginGroup();
  // The text moved within the control goes in first; its old place, moved
  // along by that, goes out in the same step.
  const text::Position before = moved.begin, after = moved.end;
  d.Select(at, at);
  InsertFromMimeData(e->mimeData());
  if (moveHere) {
    const text::Position inserted = d.caret;
    const bool earlier = at < before;
    text::Range old = {before, after};
    if (earlier) {
      const text::Range put{at, inserted};
      const auto shift = [&](text::Position p) {
        if (p.paragraph == put.begin.paragraph)
          return text::Position{p.paragraph + put.end.paragraph - put.begin.paragraph,
                                p.offset - put.begin.offset + put.end.offset};
        return text::Position{p.paragraph + put.end.paragraph - put.begin.paragraph, p.offset};
      };
      old = {shift(before), shift(after)};
    }
    d.buffer.Remove(old);
    e->setDropAction(Qt::CopyAction);  // the source must not remove it again
  }
  d.buffer.EndGroup();
  e->accept();
}

}  // namespace textview
