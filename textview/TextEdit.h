#pragma once
// The edit control: a text::TextBuffer shown wrapped at the window's width, with
// a caret, a selection, the keys and mouse of a plain-text control, the input
// method's pre-edit, the clipboard, dragging text, and Undo. It lays out and
// paints only what is on screen: each paragraph is laid out in segments of a few
// thousand code units on their own, so no paragraph length and no file size
// makes a key, a paint or a scroll slower.

#include "text/TextBuffer.h"

#include <QAbstractScrollArea>
#include <QString>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>

class QMimeData;

namespace textview {

class TextEdit : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TextEdit(QWidget* parent = nullptr);
  ~TextEdit() override;

  /// The text. Changes made to it directly show at once; edits that should
  /// move the caret go through the functions below.
  text::TextBuffer& Buffer();
  const text::TextBuffer& Buffer() const;

  // --- A file's text coming in (the buffer's BeginLoad, LoadArea, CommitLoaded):
  // until EndLoad the control is read-only; the caret stays at the start and what
  // is scrolled into view stays where it is as the text grows.
  void BeginLoad(std::size_t capacity);
  char16_t* LoadArea();
  void CommitLoaded(std::size_t count);
  void EndLoad();
  /// The whole text replaced, caret to the start, history emptied, not modified.
  void SetText(std::u16string_view text);

  // --- Caret and selection
  text::Position Caret() const;
  text::Position Anchor() const;
  bool HasSelection() const;
  text::Range Selection() const;
  /// Selects from `anchor` to `caret` (clamped) and scrolls the caret into view.
  void SetSelection(text::Position anchor, text::Position caret);
  void SetCaret(text::Position caret) { SetSelection(caret, caret); }
  void SelectAll();
  /// Paragraph ends as "\n".
  std::u16string SelectedText() const;

  // --- Editing, each an Undo step (or merged into one as typing is)
  /// Replaces the selection with `text` ("\n", "\r\n", "\r" and U+2029 end a
  /// paragraph); the caret goes after it.
  void InsertText(const QString& text, text::EditKind kind = text::EditKind::Other);
  void Undo();
  void Redo();
  void Cut();
  void Copy() const;
  void Paste();
  bool CanPaste() const;
  /// The edits until EndEditBlock are one Undo step.
  void BeginEditBlock();
  void EndEditBlock();

  bool IsModified() const;
  void SetModified(bool modified);
  bool IsReadOnly() const;
  void SetReadOnly(bool readOnly);

  // --- Where things are
  /// The caret's row counted from the first row of the text (wrapped rows
  /// count), and its offset from the start of that row: laying out the
  /// paragraphs above the caret can take long in a large text, so this gives
  /// nothing when `budget` ran out first and goes on from there on the next
  /// call.
  struct RowColumn {
    std::size_t row = 0;
    std::size_t column = 0;
  };
  std::optional<RowColumn> CaretRowColumn(std::chrono::milliseconds budget);
  /// The caret's rectangle in viewport coordinates.
  QRect CaretRect() const;
  /// The text position nearest to `point` (viewport coordinates).
  text::Position PositionAt(QPoint point) const;
  void EnsureCaretVisible();

  QSize sizeHint() const override;

 signals:
  void TextChanged();
  void ModificationChanged(bool modified);
  void UndoAvailable(bool available);
  void RedoAvailable(bool available);
  void CopyAvailable(bool available);
  void SelectionChanged();
  void CaretMoved();

 protected:
  /// Every text entering from the user (typing, input-method commits, paste,
  /// dropped text) passes here before it is inserted: a subclass may change it.
  virtual QString FilterInput(const QString& text) { return text; }
  virtual bool CanInsertFromMimeData(const QMimeData* source) const;
  virtual void InsertFromMimeData(const QMimeData* source);
  virtual QMimeData* CreateMimeDataFromSelection() const;

  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 public:
  /// What the control keeps between events; only its own sources see inside.
  struct Impl;

 private:
  std::unique_ptr<Impl> m;
};

}  // namespace textview
