#pragma once
// The six tool slots as the main frame shows them: the Tools menu items, the six
// icon buttons on the toolbar, launching, and the tools settings dialog. Every
// operation reads the slot's keys from section "tools" of the settings file when
// it runs; nothing is kept in memory.

#include "settings/SettingsKeys.h"

#include <cstddef>
#include <string>

class CFrameWnd;
class QIcon;
class QString;
class QToolBar;
class QWidget;
class SettingsFile;
struct CCmdUI;

/// A black digit `slot` on a transparent ground, at 16 x 16 and 32 x 32 (the icons
/// numbered 132..137 of the resources, drawn here).
QIcon DigitIcon(int slot);
/// The slots' operations, each reading the slot's keys from `settings` when it runs.
class ToolSlots {
 public:
  explicit ToolSlots(SettingsFile& settings) : m_settings(settings) {}

  /// The desktop's icon of the file that `file_<slot>` names; the digit icon when the
  /// slot is empty, the file does not exist or the desktop has no icon for it.
  QIcon ToolIcon(int slot) const;

  /// Appends the six buttons (ids 5000..5005 as object names, 23 x 22 on a 24-pixel
  /// pitch) to `toolbar`; a click sends the button's command to `frame`.
  void CreateToolButtons(CFrameWnd& frame, QToolBar& toolbar) const;
  /// Gives each button the icon of its slot's current command line.
  void UpdateToolButtonIcons(QToolBar& toolbar) const;

  /// Menu item of `slot`: the slot's name (at most 63 bytes) or "<NONE>"; always enabled.
  void OnUpdateTool(int slot, CCmdUI& ui) const;
  /// Starts the slot's command line; with "Topmost_<slot>" 1, waits in the event
  /// loop (bounded) until the program is ready for input and makes its window
  /// always-on-top.
  void OnTool(int slot) const;
  /// Runs the tools settings dialog over `owner`, then refreshes the button icons.
  void OnToolSettings(QWidget* owner, QToolBar& toolbar);
  /// A click on the button of `slot`: the dialog when the slot is empty, else a launch.
  void OnToolButton(int slot, QWidget* owner, QToolBar& toolbar);

 private:
  std::string ReadSlot(ToolField field, int slot, std::size_t buffer) const;
  /// The slot's command line as text.
  QString CommandLineText(int slot) const;

  SettingsFile& m_settings;
};
