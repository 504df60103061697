#include "app/MainFrame.h"

#include "app/Settings.h"
#include "app/WEXApp.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/CommandIds.h"
#include "framework/StatusBar.h"
#include "options/OptionsDlg.h"
#include "plugin_host/PluginMenus.h"
#include "resources/MainMenu.h"
#include "resources/Strings.h"
#include "tools/ToolSlots.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMetaObject>
#include <QToolBar>

CStatusBar* CMainFrame::s_statusBar = nullptr;

CMainFrame::CMainFrame(CWEXDoc* document) : m_pDocument(document) {
  m_settingsPath = GetProgramDirectory();
  MakeSettingsPath(m_settingsPath, "Wex.ini");
  m_pStatusBar = new CStatusBar(this);
  s_statusBar = m_pStatusBar;
  connect(m_pDocument, &CDocument::TitleChanged, this,
          [this](const QString& title) { setWindowTitle(title + " - " + TemplateStringField(0)); });
  RegisterCommands();
}

CMainFrame::~CMainFrame() {
  if (s_statusBar == m_pStatusBar) s_statusBar = nullptr;
}

void CMainFrame::Create() {
  LoadFrame(MainMenu());
  m_pView = new CWEXView(this);
  setCentralWidget(m_pView);
  m_pDocument->SetView(m_pView);
  CreateToolBar();
  CreateStatusBar();
  CreateToolButtons(*this, *m_pToolBar);
  ScanPlugins(*this, CWEXApp::Instance()->m_pluginFiles, m_pluginModule);
  setAcceptDrops(true);
}

void CMainFrame::CreateToolBar() {
  using namespace cmd;
  m_pToolBar = addToolBar(QString());
  m_pToolBar->setObjectName(QString::number(ID_VIEW_TOOLBAR));
  m_pToolBar->setMovable(false);
  m_pToolBar->setFloatable(false);
  for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, kMenuSeparator, ID_EDIT_UNDO, ID_EDIT_CUT,
                 ID_EDIT_COPY, ID_EDIT_PASTE, kMenuSeparator, ID_FILE_PRINT}) {
    if (id == kMenuSeparator) {
      m_pToolBar->addSeparator();
      continue;
    }
    QAction* action = CommandAction(id);
    action->setToolTip(LoadPrompt(id).toolTip);
    m_pToolBar->addAction(action);
  }
}

void CMainFrame::CreateStatusBar() {
  using namespace cmd;
  m_pStatusBar->setObjectName(QString::number(ID_VIEW_STATUS_BAR));
  m_pStatusBar->SetIndicators(
      {ID_SEPARATOR, ID_INDICATOR_LINECOL, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
       ID_INDICATOR_SCRL},
      {QString(13, u' '), QStringLiteral("ｶﾅ"), QStringLiteral("CAP"), QStringLiteral("NUM"),
       QStringLiteral("SCRL")});
  m_pStatusBar->SetPaneText(0, LoadString(IDS_IDLE_MESSAGE));
  setStatusBar(m_pStatusBar);
  // The message pane shows a command's prompt while its item is under the pointer.
  for (int i = 0; QMenu* popup = Popup(i); ++i) {
    connect(popup, &QMenu::hovered, this, [this](QAction* a) { ShowMessagePrompt(a->data().toInt()); });
    connect(popup, &QMenu::aboutToHide, this, [this] { ShowMessagePrompt(-1); });
  }
}

void CMainFrame::ShowMessagePrompt(int id) {
  const QString prompt = id < 0 ? QString() : LoadPrompt(id).statusText;
  m_pStatusBar->SetPaneText(0, prompt.isEmpty() ? LoadString(IDS_IDLE_MESSAGE) : prompt);
}

void CMainFrame::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_APP_EXIT, [this](int) { close(); });
  OnCommand(ID_VIEW_TOOLBAR, [this](int) { m_pToolBar->setVisible(!m_pToolBar->isVisible()); });
  OnUpdate(ID_VIEW_TOOLBAR, [this](CCmdUI& ui) { ui.SetCheck(m_pToolBar->isVisible()); });
  OnCommand(ID_VIEW_STATUS_BAR,
            [this](int) { m_pStatusBar->setVisible(!m_pStatusBar->isVisible()); });
  OnUpdate(ID_VIEW_STATUS_BAR, [this](CCmdUI& ui) { ui.SetCheck(m_pStatusBar->isVisible()); });
  // The options dialog (options/).
  OnCommand(ID_OPTIONS, [this](int) { OnOptions(this); });
  // The tool slots (tools/): menu items 1..6, their dialog, and the buttons' ids
  // kept enabled (the buttons themselves are taken by InterceptCommand).
  const int lastTool = ID_TOOL_FIRST + TOOL_SLOTS - 1;
  OnCommandRange(ID_TOOL_FIRST, lastTool, [](int id) { OnTool(id - ID_TOOL_FIRST + 1); });
  OnUpdateRange(ID_TOOL_FIRST, lastTool, [](CCmdUI& ui) { OnUpdateTool(ui.id - ID_TOOL_FIRST + 1, ui); });
  OnCommand(ID_TOOL_SETTINGS, [this](int) { OnToolSettings(this, *m_pToolBar); });
  OnCommandRange(ID_TOOL_BUTTON_FIRST, ID_TOOL_BUTTON_FIRST + TOOL_SLOTS - 1, [](int) {});
}

bool CMainFrame::InterceptCommand(int id) {
  // Plug-in commands run after the menu has closed, in the view.
  if (cmd::IsPluginRun(id) || cmd::IsPluginOption(id)) {
    QMetaObject::invokeMethod(
        m_pView, [view = m_pView, id] { view->OnCmdMsg(id); }, Qt::QueuedConnection);
    return true;
  }
  if (cmd::IsToolButton(id)) {
    OnToolButton(id - cmd::ID_TOOL_BUTTON_FIRST + 1, this, *m_pToolBar);
    return true;
  }
  return false;
}

std::vector<CCmdTarget*> CMainFrame::RouteTargets() {
  return {m_pView, m_pDocument, this, CWEXApp::Instance()};
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_pDocument->SaveModified())
    event->accept();
  else
    event->ignore();
}
