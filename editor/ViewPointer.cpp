// What the view does for the pointer and the caret: the right-click menu,
// dropped files and the caret's line and column in the status bar.

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "framework/DroppedFiles.h"
#include "framework/MessageBox.h"
#include "framework/StatusBar.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QTimer>
#include <QMenu>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace {

struct ContextItem {
  int id;  // 0: separator
  const char* text;
};

constexpr ContextItem kContextMenu[] = {
    {cmd::ID_EDIT_UNDO, "元に戻す(&U)"},     {0, nullptr},
    {cmd::ID_EDIT_CUT, "切り取り(&T)"},      {cmd::ID_EDIT_COPY, "ｺﾋﾟｰ(&C)"},
    {cmd::ID_EDIT_PASTE, "貼り付け(&P)"},    {cmd::ID_EDIT_SELECT_ALL, "すべて選択(&L)"},
    {0, nullptr},
    {cmd::ID_EDIT_FIND, "検索(&F)"},         {cmd::ID_EDIT_REPLACE, "置換(&E)"},
};

// Whether `text` holds a run of 100,000 characters where a line may not break:
// no blank, and none of the kana and kanji a line may break after.
bool HasHugeWord(const QString& text) {
  constexpr int kHugeWord = 100000;
  if (text.size() < kHugeWord) return false;
  int run = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    run = (u == u' ' || u == u'\t' || u >= 0x3000) ? 0 : run + 1;
    if (run >= kHugeWord) return true;
  }
  return false;
}

}  // namespace

QMenu* CWEXView::CreateContextMenu() {
  auto* menu = new QMenu(this);
  for (const ContextItem& item : kContextMenu) {
    if (item.id == 0) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setData(item.id);
    connect(action, &QAction::triggered, this, [this, id = item.id] { SendCommand(id); });
    // Enabled as the same item of the Edit menu would be now.
    UpdateCommandUI(action);
  }
  return menu;
}

void CWEXView::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = CreateContextMenu();
  menu->exec(e->globalPos());
  delete menu;
}

void CWEXView::dragEnterEvent(QDragEnterEvent* e) {
  if (!DroppedFiles(e->mimeData()).isEmpty())
    e->acceptProposedAction();
  else
    QPlainTextEdit::dragEnterEvent(e);
}

void CWEXView::dragMoveEvent(QDragMoveEvent* e) {
  if (!DroppedFiles(e->mimeData()).isEmpty())
    e->acceptProposedAction();
  else
    QPlainTextEdit::dragMoveEvent(e);
}

void CWEXView::dropEvent(QDropEvent* e) {
  const QStringList paths = DroppedFiles(e->mimeData());
  if (paths.isEmpty()) {
    QPlainTextEdit::dropEvent(e);
    return;
  }
  e->acceptProposedAction();
  ShowMessageBox(this, QString::fromUtf8("ドロップ！"), QString(), QMessageBox::Ok,
                 QMessageBox::Warning);
  OpenDroppedFiles(paths);
}

void CWEXView::OpenDroppedFiles(const QStringList& paths) {
  if (!m_pDocument) return;
  window()->activateWindow();
  for (const QString& path : paths)
    if (m_pDocument->SaveModified()) m_pDocument->OnOpenDocument(path);
}

bool CWEXView::LayOutBlocksThrough(const QTextBlock& last) {
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
  if (!layout) return true;
  // A new width wraps every paragraph anew.
  if (viewport()->width() != m_laidOutWidth) {
    m_laidOutWidth = viewport()->width();
    m_blocksLaidOut = 0;
  }
  // The control lays out only the paragraphs it has shown; any other counts
  // as one line until it is laid out here. A long way to go (the end of a big
  // file) is done in slices, so that the window stays responsive meanwhile.
  constexpr int kSliceMs = 30;
  QElapsedTimer slice;
  slice.start();
  QTextBlock block = document()->findBlockByNumber(m_blocksLaidOut);
  for (; block.isValid() && block.blockNumber() <= last.blockNumber(); block = block.next()) {
    layout->ensureBlockLayout(block);
    m_blocksLaidOut = block.blockNumber() + 1;
    if (slice.elapsed() >= kSliceMs && block.blockNumber() < last.blockNumber()) return false;
  }
  m_blocksLaidOut = std::max(m_blocksLaidOut, last.blockNumber() + 1);
  return true;
}

void CWEXView::ForgetLayoutFrom(int position) {
  m_blocksLaidOut = std::min(m_blocksLaidOut, document()->findBlock(position).blockNumber());
}

// A paragraph's layout frees its shaping data after every paint, and the caret
// asks for it again at each blink: for a paragraph of megabytes that is the whole
// paragraph analysed twice a second for as long as the text is shown. Long
// paragraphs keep theirs; short ones are cheap to analyse and many.
// Wrapping at word boundaries looks, for each screen line, through the rest of
// the word first, so a word of a million characters (minified data) takes
// minutes to lay out: a text holding a word that long wraps anywhere.
void CWEXView::FitLayoutToLongParagraphs(int position, int added) {
  constexpr int kLongParagraph = 4096;
  const int end = position + added;
  for (QTextBlock block = document()->findBlock(position);
       block.isValid() && block.position() <= end; block = block.next()) {
    if (block.length() < kLongParagraph) continue;
    block.layout()->setCacheEnabled(true);
    if (wordWrapMode() != QTextOption::WrapAnywhere && HasHugeWord(block.text()))
      setWordWrapMode(QTextOption::WrapAnywhere);
  }
}

void CWEXView::WrapAtWordBoundaries() {
  if (wordWrapMode() != QTextOption::WrapAtWordBoundaryOrAnywhere)
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void CWEXView::UpdateLineColumn() {
  if (!m_pStatusBar) return;
  // Screen lines: a wrapped paragraph counts as several lines. The line is the
  // caret's; the column runs from that line's start to the selection's end.
  const QTextCursor cursor = textCursor();
  const QTextBlock block = cursor.block();
  if (!LayOutBlocksThrough(block)) {
    // Not counted yet: the pane shows nothing rather than a wrong line, and
    // the count goes on after the events that are waiting.
    m_pStatusBar->SetPaneText(m_pStatusBar->CommandToIndex(cmd::ID_INDICATOR_LINECOL), QString());
    if (!m_bLineColumnQueued) {
      m_bLineColumnQueued = true;
      QTimer::singleShot(0, this, [this] {
        m_bLineColumnQueued = false;
        UpdateLineColumn();
      });
    }
    return;
  }
  int line = block.firstLineNumber();
  int lineStart = block.position();
  const QTextLine textLine = block.layout()->lineForTextPosition(cursor.positionInBlock());
  if (textLine.isValid()) {
    line += textLine.lineNumber();
    lineStart += textLine.textStart();
  }
  m_pStatusBar->SetPaneText(m_pStatusBar->CommandToIndex(cmd::ID_INDICATOR_LINECOL),
                            QString::asprintf("%4d:%3d", line + 1, cursor.selectionEnd() - lineStart));
}
