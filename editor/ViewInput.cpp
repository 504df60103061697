// Text entering the view from the user: typing, input-method commits, paste and
// dropped text. It is made what Shift-JIS can hold on the way in, so that the
// view shows exactly what Save writes.

#include "editor/TextBoundary.h"
#include "editor/WEXView.h"
#include "framework/StatusBar.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

void CWEXView::ReportReplaced(std::size_t count) {
  if (count == 0 || !m_pStatusBar) return;
  m_pStatusBar->SetPaneText(
      0, QString::fromUtf8("Shift-JISにない文字を〓に置き換えました（%1文字）").arg(count));
}

QString CWEXView::Representable(const QString& text) {
  std::size_t replaced = 0;
  QString representable = RepresentableText(text, replaced);
  ReportReplaced(replaced);
  return representable;
}

void CWEXView::AsOwnUndoStep(const std::function<void()>& input) {
  if (!m_bAfterWholeTextChange) {
    input();
    return;
  }
  // An edit block ends a merge: what the control inserts inside it, and what is
  // typed right after, stays apart from the whole-text change.
  const int steps = document()->availableUndoSteps();
  QTextCursor block(document());
  block.beginEditBlock();
  input();
  block.endEditBlock();
  if (document()->availableUndoSteps() != steps) m_bAfterWholeTextChange = false;
}

void CWEXView::keyPressEvent(QKeyEvent* e) {
  // Both of the control's Redo keys, whichever one the desktop's conventions name.
  const QKeyCombination key = e->keyCombination();
  if (key == (Qt::CTRL | Qt::Key_Y) || key == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
    redo();
    e->accept();
    return;
  }
  const QString text = Representable(e->text());
  if (text == e->text()) {
    AsOwnUndoStep([this, e] { QPlainTextEdit::keyPressEvent(e); });
    return;
  }
  QKeyEvent representable(e->type(), e->key(), e->modifiers(), e->nativeScanCode(),
                          e->nativeVirtualKey(), e->nativeModifiers(), text, e->isAutoRepeat(),
                          static_cast<quint16>(e->count()));
  AsOwnUndoStep([this, &representable] { QPlainTextEdit::keyPressEvent(&representable); });
  e->setAccepted(representable.isAccepted());
}

void CWEXView::inputMethodEvent(QInputMethodEvent* e) {
  const QString commit = Representable(e->commitString());
  if (commit == e->commitString()) {
    AsOwnUndoStep([this, e] { QPlainTextEdit::inputMethodEvent(e); });
    return;
  }
  QInputMethodEvent representable(e->preeditString(), e->attributes());
  representable.setCommitString(commit, e->replacementStart(), e->replacementLength());
  AsOwnUndoStep([this, &representable] { QPlainTextEdit::inputMethodEvent(&representable); });
  e->setAccepted(representable.isAccepted());
}

void CWEXView::insertFromMimeData(const QMimeData* source) {
  // The control inserts a source's plain text only.
  if (!source->hasText()) return;
  QMimeData representable;
  representable.setText(Representable(source->text()));
  AsOwnUndoStep([this, &representable] { QPlainTextEdit::insertFromMimeData(&representable); });
}
