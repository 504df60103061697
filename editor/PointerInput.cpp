#include "editor/PointerInput.h"

#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/DroppedFiles.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "resources/FrameTables.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

PointerInput::PointerInput(CWEXView& view) : m_view(view) {
  // The mouse's menu and drags over the text come to the viewport, the menu
  // key's menu to the view itself.
  view.installEventFilter(this);
  view.viewport()->installEventFilter(this);
}

QMenu* PointerInput::CreateContextMenu() {
  auto* menu = new QMenu(&m_view);
  // The frame's tables name the items, and the frame routes their commands.
  auto* frame = dynamic_cast<CFrameWnd*>(m_view.window());
  if (!frame) return menu;
  for (const MenuItemDef& item : frame->Tables().contextMenu) {
    if (item.id == kMenuSeparator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setData(item.id);
    connect(action, &QAction::triggered, frame, [frame, id = item.id] { frame->SendCommand(id); });
    // Enabled as the same item of the Edit menu would be now.
    frame->UpdateCommandUI(action);
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
    default: return false;
  }
}

void PointerInput::OpenDroppedFiles(const QStringList& paths) {
  CWEXDoc* document = m_view.GetDocument();
  if (!document) return;
  m_view.window()->activateWindow();
  for (const QString& path : paths) document->OpenReplacing(path, true, nullptr);
}
