#include "editor/PointerInput.h"

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/DroppedFiles.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "resources/CommandIds.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

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

}  // namespace

PointerInput::PointerInput(CWEXView& view) : m_view(view) {
  // The mouse's menu and drags over the text come to the viewport, the menu
  // key's menu to the view itself.
  view.installEventFilter(this);
  view.viewport()->installEventFilter(this);
}

QMenu* PointerInput::CreateContextMenu() {
  auto* menu = new QMenu(&m_view);
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

bool PointerInput::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::ContextMenu) {
    QMenu* menu = CreateContextMenu();
    menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    delete menu;
    return true;
  }
  return TakeDrop(event);
}

bool PointerInput::TakeDrop(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFiles(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = DroppedFiles(drop->mimeData());
      if (paths.isEmpty()) return false;
      drop->acceptProposedAction();
      ShowMessageBox(&m_view, QString::fromUtf8("ドロップ！"), QString(), QMessageBox::Ok,
                     QMessageBox::Warning);
      OpenDroppedFiles(paths);
      return true;
    }
    default:
      return false;
  }
}

void PointerInput::OpenDroppedFiles(const QStringList& paths) {
  CWEXDoc* document = m_view.GetDocument();
  if (!document) return;
  m_view.window()->activateWindow();
  for (const QString& path : paths) document->OpenReplacing(path, true, nullptr);
}

void PointerInput::SendCommand(int id) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(m_view.window()))
    frame->SendCommand(id);
  else
    m_view.OnCmdMsg(id);
}

void PointerInput::UpdateCommandUI(QAction* action) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(m_view.window())) {
    frame->UpdateCommandUI(action);
    return;
  }
  CCmdUI ui;
  ui.id = action->data().toInt();
  m_view.OnUpdateCmdUI(ui);
  action->setEnabled(ui.enabled);
}
