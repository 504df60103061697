#include "app/MainFrame.h"

#include "app/WEXApp.h"
#include "editor/PointerInput.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/DroppedFiles.h"
#include "framework/StatusBar.h"
#include "options/OptionsDlg.h"
#include "platform/InputMethod.h"
#include "plugin_host/PluginMenus.h"
#include "resources/CommandIds.h"
#include "resources/FrameTables.h"
#include "resources/Strings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

CMainFrame::CMainFrame(CWEXDoc* document, PluginFileTable& pluginFiles, SettingsFile& settings)
    : m_pluginFiles(pluginFiles),
      m_settings(settings),
      m_toolSlots(settings),
      m_document(document) {
  m_statusBar = new CStatusBar(this);
  connect(m_document, &CDocument::TitleChanged, this,
          [this](const QString& title) { setWindowTitle(title + " - " + TemplateStringField(0)); });
  RegisterCommands();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::Create() {
  LoadFrame(MainFrameTables());
  m_view = new CWEXView(this, m_statusBar, m_pluginFiles, m_settings);
  setCentralWidget(m_view);
  m_document->SetView(m_view);
  CreateToolBar();
  CreateStatusBar();
  m_toolSlots.CreateToolButtons(*this, *m_toolBar);
  ScanPlugins(*this, m_pluginFiles, m_pluginModule);
  m_inputMethodPending = m_settings.ReadInt(section::kSetting, key::kIme) != 0;
  setAcceptDrops(true);
  ApplyStartupPlacement();
}

void CMainFrame::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_APP_EXIT, [this](int) { close(); });
  OnCommand(ID_VIEW_TOOLBAR, [this](int) { m_toolBar->setVisible(!m_toolBar->isVisible()); });
  OnUpdate(ID_VIEW_TOOLBAR, [this](CCmdUI& ui) { ui.SetCheck(m_toolBar->isVisible()); });
  OnCommand(ID_VIEW_STATUS_BAR,
            [this](int) { m_statusBar->setVisible(!m_statusBar->isVisible()); });
  OnUpdate(ID_VIEW_STATUS_BAR, [this](CCmdUI& ui) { ui.SetCheck(m_statusBar->isVisible()); });
  OnCommand(ID_TOPMOST, [this](int) { OnToggleAlwaysOnTop(); });
  OnUpdate(ID_TOPMOST, [this](CCmdUI& ui) {
    m_alwaysOnTop = IsAlwaysOnTop() ? 1 : 0;
    ui.SetCheck(m_alwaysOnTop != 0);
    ui.Enable(CanKeepAbove());
  });
  // The options dialog (options/).
  OnCommand(ID_OPTIONS, [this](int) { OnOptions(this, m_settings); });
  // The tool slots (tools/): menu items 1..6, their dialog, and the buttons' ids
  // kept enabled (the buttons themselves are taken by InterceptCommand).
  const int lastTool = ID_TOOL_FIRST + TOOL_SLOTS - 1;
  OnCommandRange(ID_TOOL_FIRST, lastTool,
                 [this](int id) { m_toolSlots.OnTool(id - ID_TOOL_FIRST + 1); });
  OnUpdateRange(ID_TOOL_FIRST, lastTool,
                [this](CCmdUI& ui) { m_toolSlots.OnUpdateTool(ui.id - ID_TOOL_FIRST + 1, ui); });
  OnCommand(ID_TOOL_SETTINGS, [this](int) { m_toolSlots.OnToolSettings(this, *m_toolBar); });
  OnCommandRange(ID_TOOL_BUTTON_FIRST, ID_TOOL_BUTTON_FIRST + TOOL_SLOTS - 1, [](int) {});
}

bool CMainFrame::InterceptCommand(int id) {
  // Plug-in commands run after the menu has closed, in the view.
  if (cmd::IsPluginRun(id) || cmd::IsPluginOption(id)) {
    QMetaObject::invokeMethod(
        m_view, [view = m_view, id] { view->OnCmdMsg(id); }, Qt::QueuedConnection);
    return true;
  }
  if (cmd::IsToolButton(id)) {
    m_toolSlots.OnToolButton(id - cmd::ID_TOOL_BUTTON_FIRST + 1, this, *m_toolBar);
    return true;
  }
  return false;
}

std::vector<CCmdTarget*> CMainFrame::RouteTargets() {
  return {m_view, m_document, this, CWEXApp::Instance()};
}

bool CMainFrame::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::StatusTip:
      // Menu items and toolbar buttons under the pointer send their prompt here.
      ShowMessagePrompt(static_cast<QStatusTipEvent*>(e)->tip());
      return true;
    case QEvent::WindowActivate:
      // The input method serves the focused window, so it is asked once ours has focus.
      if (m_inputMethodPending) {
        m_inputMethodPending = false;
        SwitchInputMethodOn(kInputMethodTries);
      }
      UpdateLockPanes();
      break;
    default: break;
  }
  return CFrameWnd::event(e);
}

void CMainFrame::SwitchInputMethodOn(int triesLeft) {
  // The framework learns that the view has the focus a little after we do; it is
  // asked again meanwhile, and again at the next activation if the focus has gone.
  if (!isActiveWindow()) {
    m_inputMethodPending = true;
    return;
  }
  if (ActivateInputMethod() != InputMethodAnswer::NotYet || triesLeft <= 1) return;
  QTimer::singleShot(kInputMethodRetryMs, this,
                     [this, triesLeft] { SwitchInputMethodOn(triesLeft - 1); });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) UpdateLockPanes();
  return CFrameWnd::eventFilter(watched, e);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // The rectangle is saved even when the save-changes question is then cancelled.
  SaveWindowRectangle();
  if (m_document->SaveModified())
    event->accept();
  else
    event->ignore();
}

// Files dropped on the bars or the frame open without the view's message.
void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedFiles(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  m_view->Pointer().OpenDroppedFiles(paths);
}
