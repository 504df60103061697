#pragma once
#include "framework/FrameWnd.h"
#include "plugin_host/PluginModule.h"
#include "plugin_host/PluginScan.h"
#include "tools/ToolSlots.h"

class CStatusBar;
class CWEXDoc;
class CWEXView;
class QToolBar;
class SettingsFile;

// The main window: menu, toolbar, status bar, the view as its client, and the
// interception of plug-in and tool-button commands.
//   MainFrame.cpp    construction, creation, routing, close
//   FrameBars.cpp    toolbar, status bar, prompts, lock-key panes
//   FrameWindow.cpp  placement, always on top, input method (window-manager side)
class CMainFrame : public CFrameWnd {
  Q_OBJECT
 public:
  /// `pluginFiles` is the application's plug-in table: the scan fills it, the view
  /// reads it. `settings` outlives the frame.
  CMainFrame(CWEXDoc* document, PluginFileTable& pluginFiles, SettingsFile& settings);
  ~CMainFrame() override;

  /// Builds the window before it is shown: placement, view, toolbar, status bar.
  void Create();

  CWEXView* View() const { return m_view; }
  CStatusBar* StatusBar() const { return m_statusBar; }
  QToolBar* ToolBar() const { return m_toolBar; }

  /// Whether the window is in the always-on-top band, as the window manager
  /// sees it (another program may have changed it).
  bool IsAlwaysOnTop() const;
  /// Whether the window system lets the program keep its window above the others
  /// (not on Wayland: the View menu's item is then grayed out).
  static bool CanKeepAbove();

 protected:
  bool InterceptCommand(int id) override;
  std::vector<CCmdTarget*> RouteTargets() override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void RegisterCommands();
  /// Asks the input method to switch on, up to `triesLeft` times while it does
  /// not yet see our view focused.
  void SwitchInputMethodOn(int triesLeft);
  static constexpr int kInputMethodTries = 30;
  static constexpr int kInputMethodRetryMs = 100;

  // FrameBars.cpp
  void CreateToolBar();
  void CreateStatusBar();
  void ShowMessagePrompt(const QString& prompt);
  void UpdateToolBarButtons();
  void UpdateLockPanes();

  // FrameWindow.cpp
  void ApplyStartupPlacement();
  QMargins ExpectedFrameMargins();
  void SaveWindowRectangle();
  void SetAlwaysOnTop(bool on);
  void OnToggleAlwaysOnTop();

  PluginFileTable& m_pluginFiles;
  PluginModule m_pluginModule;  // keeps the last plug-in scanned loaded
  SettingsFile& m_settings;
  ToolSlots m_toolSlots;
  CWEXDoc* m_document;
  CWEXView* m_view = nullptr;
  QToolBar* m_toolBar = nullptr;
  CStatusBar* m_statusBar = nullptr;
  int m_alwaysOnTop = 0;              // the state found by the last update of the menu item
  bool m_inputMethodPending = false;  // switch the input method on at first activation
};
