#pragma once
// What the edit control keeps between events, shared by its painting and
// geometry (TextEdit.cpp) and its input handling (TextEditInput.cpp).

#include "text/TextBuffer.h"
#include "textview/ScrollMap.h"
#include "textview/SegmentLayouts.h"
#include "textview/TextEdit.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QPoint>
#include <QTextLayout>

#include <cstdint>
#include <memory>
#include <vector>

namespace textview {

struct TextEdit::Impl {
  /// A row on the screen: a paragraph, a segment of it, a line of that segment.
  struct Row {
    std::size_t para = 0;
    int seg = 0;
    int line = 0;
    auto operator<=>(const Row&) const = default;
  };

  explicit Impl(TextEdit& edit);

  // --- Layout and rows
  /// The layout of a segment: the kept one, or the caret's segment with the
  /// input method's pre-edit text in it.
  const QTextLayout& Layout(std::size_t para, int seg);
  bool Next(Row& row);
  bool Previous(Row& row);
  qreal Height(const Row& row) { return Layout(row.para, row.seg).lineAt(row.line).height(); }
  Row RowOf(text::Position position);
  /// Where `position` is inside its segment's layout (the pre-edit counted).
  int LocalOffset(text::Position position, const Row& row) const;
  /// The top-left corner of `row` in viewport coordinates, when it is shown.
  std::optional<QPointF> RowOrigin(const Row& target);
  text::Position PositionAt(QPointF point);
  text::Position PositionInRow(const Row& row, qreal x);
  qreal CaretX();

  // --- Changes
  void OnChange(const text::Change& change);
  void TellStates();
  /// The top row when the last row is at the bottom of the viewport.
  Row LastPageTop();
  void SyncScrollBar();
  void ScrollTo(Row top);
  void ScrollRows(int rows);
  void EnsureVisible(text::Position position);
  /// Selects from `anchor` to `caret` without scrolling; tells what changed.
  void Select(text::Position anchor, text::Position caret);
  void Replace(text::Range range, const QString& text, text::EditKind kind);
  void ResetView();
  void ForgetPreeditLayout() { preeditLayout.reset(); }

  TextEdit& q;
  text::TextBuffer buffer;
  SegmentLayouts layouts{buffer};
  ScrollMap scroll;
  Row top;
  text::Position caret;
  text::Position anchor;
  qreal preferredX = -1;  ///< kept while moving up and down
  bool readOnly = false;
  bool loading = false;
  bool syncing = false;
  bool caretOn = true;
  QBasicTimer blink;

  // The input method's pre-edit text, shown at the caret.
  QString preedit;
  QList<QTextLayout::FormatRange> preeditFormats;
  int preeditCursor = 0;
  bool preeditCursorShown = true;
  std::unique_ptr<QTextLayout> preeditLayout;
  Row preeditRow;

  // The mouse.
  bool selecting = false;
  bool mayDrag = false;
  QPoint pressPoint;
  int clicks = 0;
  QElapsedTimer lastClick;
  QPoint lastClickPoint;
  QBasicTimer autoScroll;
  QPoint lastMouse;
  text::Position dropCaret;
  bool dropShown = false;

  // The rows counted for the caret's row number, at one width and font: of each
  // paragraph above the caret, and of each segment of the caret's paragraph
  // before the caret's segment (a line of megabytes is counted once, not on
  // every key typed at its end).
  std::vector<std::uint32_t> rowCounts;
  std::size_t segmentRowsPara = 0;
  std::vector<std::uint32_t> segmentRows;
  qreal countedWidth = -1;
  void ForgetRowCounts() {
    rowCounts.clear();
    segmentRows.clear();
  }
  /// The counts that a change starting at `changed` may have made wrong.
  void ForgetRowCountsFrom(text::Position changed);
  /// The rows of a segment, laid out for counting only: the rows shown keep
  /// their layouts.
  std::uint32_t CountRows(std::size_t para, int seg);

  // What the signals last told.
  bool toldModified = false;
  bool toldUndo = false;
  bool toldRedo = false;
  bool toldSelection = false;
};

}  // namespace textview
