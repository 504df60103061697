#pragma once
// A view that lays out and paints only what is on screen. Its place is the row at
// its top, named by paragraph, segment and row within the segment, so that moving
// by rows anywhere in the text lays out only the segments passed. The scroll bar
// counts segments: a paragraph of one segment is one step whether it has one row or
// a hundred, and a long one a step per segment; no row count of the whole text is
// ever needed.

#include "bench/textview/SegmentLayouts.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>

#include <vector>

class TextBuffer;

class TextView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TextView(TextBuffer& buffer, QWidget* parent = nullptr);
  /// The buffer has more paragraphs, or a longer last one.
  void TextGrown();

 signals:
  /// The first paint, with whatever text there was.
  void FirstPainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct Row {
    int para = 0, seg = 0, row = 0;
    auto operator<=>(const Row&) const = default;
  };
  // Paragraphs of more than one segment, with the extra segments up to and with each.
  struct Tall {
    int para;
    int extra;
  };

  bool Next(Row& r);
  bool Previous(Row& r);
  qreal Height(const Row& r);
  Row CaretRow();
  void ScrollRows(int rows);
  void EnsureCaretVisible();
  void Insert(const QString& text);
  void SplitAtCaret();
  void MoveCaret(int by);

  void UpdateTall(int from);
  int SlotOf(int para, int seg) const;
  Row RowAtSlot(int slot) const;
  void SyncScrollBar();
  void ScrollBarMoved(int value);

  TextBuffer& m_buffer;
  SegmentLayouts m_layouts;
  std::vector<Tall> m_tall;
  int m_indexed = 0;  // paragraphs whose segments m_tall has counted
  int m_openSegments = 1;  // of the last of them, which loading may lengthen
  Row m_top;
  int m_caretPara = 0;
  qsizetype m_caretOffset = 0;
  bool m_syncing = false;
  bool m_wantsMore = true;  // the last paint ran out of text before the bottom
  bool m_painted = false;
  // From a key's arrival to the end of the paint that shows what it did.
  QElapsedTimer m_keyClock;
  int m_key = 0;
};
