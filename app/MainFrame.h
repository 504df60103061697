#pragma once
#include "framework/FrameWnd.h"
#include "plugin_host/PluginModule.h"

#include <string>

class CStatusBar;
class CWEXDoc;
class CWEXView;
class QToolBar;

// The main window: menu, toolbar, status bar, the view as its client, and the
// interception of plug-in and tool-button commands.
class CMainFrame : public CFrameWnd {
  Q_OBJECT
 public:
  explicit CMainFrame(CWEXDoc* document);
  ~CMainFrame() override;

  /// Builds the window: view, toolbar, status bar.
  void Create();

  CWEXView* View() const { return m_pView; }
  CStatusBar* StatusBar() const { return m_pStatusBar; }
  QToolBar* ToolBar() const { return m_pToolBar; }

  /// The status bar of the one main window, for the view's caret pane.
  static CStatusBar* PublishedStatusBar() { return s_statusBar; }

 protected:
  bool InterceptCommand(int id) override;
  std::vector<CCmdTarget*> RouteTargets() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateToolBar();
  void CreateStatusBar();
  void RegisterCommands();
  void ShowMessagePrompt(int id);

  static CStatusBar* s_statusBar;
  PluginModule m_pluginModule;  // keeps the last plug-in scanned loaded
  std::string m_settingsPath;
  CWEXDoc* m_pDocument;
  CWEXView* m_pView = nullptr;
  QToolBar* m_pToolBar = nullptr;
  CStatusBar* m_pStatusBar = nullptr;
};
