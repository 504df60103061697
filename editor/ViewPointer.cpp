// What the view does for the pointer and the caret: the right-click menu,
// dropped files and the caret's line and column in the status bar.

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "resources/CommandIds.h"
#include "framework/DroppedFiles.h"
#include "framework/MessageBox.h"
#include "framework/StatusBar.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <chrono>

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

// Code units from `from` on to `to`, a paragraph end counting one.
std::size_t Distance(const text::TextBuffer& text, text::Position from, text::Position to) {
  if (from.paragraph == to.paragraph) return to.offset - from.offset;
  std::size_t units = text.Length(from.paragraph) - from.offset + 1 + to.offset;
  for (std::size_t p = from.paragraph + 1; p < to.paragraph; ++p) units += text.Length(p) + 1;
  return units;
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
    TextEdit::dragEnterEvent(e);
}

void CWEXView::dragMoveEvent(QDragMoveEvent* e) {
  if (!DroppedFiles(e->mimeData()).isEmpty())
    e->acceptProposedAction();
  else
    TextEdit::dragMoveEvent(e);
}

void CWEXView::dropEvent(QDropEvent* e) {
  const QStringList paths = DroppedFiles(e->mimeData());
  if (paths.isEmpty()) {
    TextEdit::dropEvent(e);
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
  for (const QString& path : paths) m_pDocument->OpenReplacing(path, true, nullptr);
}

void CWEXView::UpdateLineColumn() {
  if (!m_pStatusBar) return;
  // Screen lines: a wrapped paragraph counts as several lines. The line is the
  // caret's; the column runs from that line's start to the selection's end.
  // Counting the lines above takes long far down a big text: it is done in
  // slices, so that the window stays responsive meanwhile.
  constexpr std::chrono::milliseconds kSlice{30};
  const int pane = m_pStatusBar->CommandToIndex(cmd::ID_INDICATOR_LINECOL);
  const std::optional<RowColumn> caret = CaretRowColumn(kSlice);
  if (!caret) {
    // Not counted yet: the pane shows nothing rather than a wrong line, and
    // the count goes on after the events that are waiting.
    m_pStatusBar->SetPaneText(pane, QString());
    if (!m_bLineColumnQueued) {
      m_bLineColumnQueued = true;
      QTimer::singleShot(0, this, [this] {
        m_bLineColumnQueued = false;
        UpdateLineColumn();
      });
    }
    return;
  }
  const std::size_t column = caret->column + Distance(Buffer(), Caret(), Selection().end);
  m_pStatusBar->SetPaneText(pane, QString::asprintf("%4zu:%3zu", caret->row + 1, column));
}
