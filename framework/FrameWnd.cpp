#include "framework/FrameWnd.h"

#include "resources/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

CFrameWnd::CFrameWnd(QWidget* parent) : QMainWindow(parent) {}

void CFrameWnd::LoadFrame(const std::vector<PopupDef>& menu) {
  for (const PopupDef& popupDef : menu) {
    QMenu* popup = menuBar()->addMenu(QString::fromUtf8(popupDef.text));
    popups_.push_back(popup);
    for (const MenuItemDef& item : popupDef.items) {
      if (item.id == kMenuSeparator) {
        popup->addSeparator();
        continue;
      }
      QAction* action = popup->addAction(QString::fromUtf8(item.text));
      BindCommand(action, item.id);
    }
    connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
  }
  // Accelerators live on actions of their own that are never disabled: a
  // disabled action's shortcut is dropped by the toolkit, so a key would stay
  // dead until a menu refresh enabled the item again. The key asks the update
  // handler itself, at the moment it is pressed.
  std::unordered_map<int, QList<QKeySequence>> keys;
  for (const AcceleratorDef& accel : MainAccelerators()) keys[accel.id].append(QKeySequence(accel.key));
  for (auto& [id, sequences] : keys) {
    auto* accelerator = new QAction(this);
    accelerator->setData(id);
    accelerator->setShortcuts(sequences);
    accelerator->setShortcutContext(Qt::WindowShortcut);
    connect(accelerator, &QAction::triggered, this, [this, id = id] { RunIfEnabled(id); });
    addAction(accelerator);
  }
}

void CFrameWnd::UpdateMenu(QMenu* menu) {
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) UpdateCommandUI(action);
}

QMenu* CFrameWnd::Popup(int index) const {
  return index >= 0 && index < static_cast<int>(popups_.size()) ? popups_[index] : nullptr;
}

QAction* CFrameWnd::CommandAction(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CFrameWnd::BindCommand(QAction* action, int id) {
  action->setData(id);
  actions_.emplace(id, action);
  connect(action, &QAction::triggered, this, [this, id] { RunIfEnabled(id); });
}

void CFrameWnd::RunIfEnabled(int id) {
  const CCmdUI ui = QueryCommandUI(id);
  if (QAction* action = CommandAction(id)) ApplyCommandUI(action, ui);
  if (ui.enabled) SendCommand(id);
}

void CFrameWnd::SendCommand(int id) {
  if (InterceptCommand(id)) return;
  for (CCmdTarget* target : RouteTargets())
    if (target && target->OnCmdMsg(id)) return;
}

bool CFrameWnd::InterceptCommand(int) { return false; }

void CFrameWnd::UpdateCommandUI(int id) {
  if (QAction* action = CommandAction(id)) UpdateCommandUI(action);
}

void CFrameWnd::UpdateCommandUI(QAction* action) {
  bool ok = false;
  const int id = action->data().toInt(&ok);
  if (ok) ApplyCommandUI(action, QueryCommandUI(id));
}

CCmdUI CFrameWnd::QueryCommandUI(int id) {
  CCmdUI ui;
  ui.id = id;
  // A command that no target handles is disabled, unless an update handler says otherwise.
  const std::vector<CCmdTarget*> targets = RouteTargets();
  ui.enabled = false;
  for (CCmdTarget* target : targets)
    if (target && target->HasCommand(ui.id)) ui.enabled = true;
  for (CCmdTarget* target : targets)
    if (target && target->OnUpdateCmdUI(ui)) break;
  return ui;
}

void CFrameWnd::ApplyCommandUI(QAction* action, const CCmdUI& ui) {
  action->setEnabled(ui.enabled);
  if (ui.checked) {
    action->setCheckable(true);
    action->setChecked(*ui.checked);
  }
  if (ui.text) action->setText(*ui.text);
}
