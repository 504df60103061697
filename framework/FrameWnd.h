#pragma once
#include "framework/CmdTarget.h"

#include <QMainWindow>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
struct FrameTables;

// The frame of the document/frame/view trio: owns the menu bar and the
// accelerators, and routes every command: interception first, then the
// targets of RouteTargets() in order. Update handlers run when a menu opens
// and when an accelerator is pressed.
class CFrameWnd : public QMainWindow, public CCmdTarget {
  Q_OBJECT
 public:
  explicit CFrameWnd(QWidget* parent = nullptr);

  /// Routes command `id` as if its menu item had been chosen.
  void SendCommand(int id);

  /// The action that carries command `id` (menu item, accelerator or button),
  /// or nullptr.
  QAction* CommandAction(int id) const;
  /// Gives `action` command `id`: triggering it routes the command.
  void BindCommand(QAction* action, int id);
  /// Runs the update handlers of `action`'s command and applies the result.
  void UpdateCommandUI(QAction* action);
  void UpdateCommandUI(int id);
  /// Runs the update handler of command `id` now; what it decides.
  CCmdUI QueryCommandUI(int id);
  /// The menu at position `index` of the menu bar.
  QMenu* Popup(int index) const;
  /// The tables the frame was built from.
  const FrameTables& Tables() const { return *m_tables; }
  /// True when `key` is one of the window's accelerators.
  bool IsAccelerator(QKeyCombination key) const;

 protected:
  /// Builds the menu bar and the accelerators from `tables`, which must outlive
  /// the frame.
  void LoadFrame(const FrameTables& tables);
  /// Handles a command before normal routing; true when it was taken.
  virtual bool InterceptCommand(int id);
  /// Targets asked in order: view, document, frame, application.
  virtual std::vector<CCmdTarget*> RouteTargets() = 0;

 private:
  void UpdateMenu(QMenu* menu);
  /// Routes `id` when its update handler, asked now, enables it; a chosen
  /// item or a pressed key of a disabled command does nothing.
  void RunIfEnabled(int id);
  static void ApplyCommandUI(QAction* action, const CCmdUI& ui);
  const FrameTables* m_tables = nullptr;
  std::unordered_map<int, QAction*> m_actions;
  std::vector<QMenu*> m_popups;
};
