#include "framework/FrameWnd.h"

#include "resources/FrameTables.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

CFrameWnd::CFrameWnd(QWidget* parent) : QMainWindow(parent) {}

void CFrameWnd::LoadFrame(const FrameTables& tables) {
  m_tables = &tables;
  for (const PopupDef& popupDef : tables.menu) {
    QMenu* popup = menuBar()->addMenu(QString::fromUtf8(popupDef.text));
    m_popups.push_back(popup);
    for (const MenuItemDef& item : popupDef.items) {
      if (item.id == kMenuSeparator) {
        popup->addSeparator();
        continue;
      }
      QAction* action = popup->addAction(QString::fromStdString(item.text));
      BindCommand(action, item.id);
    }
    connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
  }
  // Accelerators live on actions of their own that are never disabled: a
  // disabled action's shortcut is dropped by the toolkit, so a key would stay
  // dead until a menu refresh enabled the item again. The key asks the update
  // handler itself, at the moment it is pressed.
  std::unordered_map<int, QList<QKeySequence>> keys;
  for (const AcceleratorDef& accel : tables.accelerators)
    keys[accel.id].append(QKeySequence(accel.key));
  for (auto& [id, sequences] : keys) {
    auto* accelerator = new QAction(this);
    accelerator->setData(id);
    accelerator->setShortcuts(sequences);
    accelerator->setShortcutContext(Qt::WindowShortcut);
    connect(accelerator, &QAction::triggered, this, [this, id = id] { RunIfEnabled(id); });
    addAction(accelerator);
  }
}

bool CFrameWnd::IsAccelerator(QKeyCombination key) const {
  if (!m_tables) return false;
  for (const AcceleratorDef& accel : m_tables->accelerators)
    if (accel.key == key) return true;
  return false;
}

void CFrameWnd::UpdateMenu(QMenu* menu) {
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) UpdateCommandUI(action);
}

QMenu* CFrameWnd::Popup(int index) const {
  return index >= 0 && index < static_cast<int>(m_popups.size()) ? m_popups[index] : nullptr;
}

QAction* CFrameWnd::CommandAction(int id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void CFrameWnd::BindCommand(QAction* action, int id) {
  action->setData(id);
  m_actions.emplace(id, action);
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
