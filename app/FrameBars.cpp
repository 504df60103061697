// The toolbar and the status bar of the main window: buttons with their icons,
// tool tips and enabled states, the message pane's prompts, the lock-key panes.

#include "app/MainFrame.h"

#include "app/WindowSystem.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/StatusBar.h"
#include "platform/X11Window.h"
#include "resources/CommandIds.h"
#include "resources/FrameTables.h"
#include "resources/Strings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QToolBar>
#include <array>

namespace {

struct LockPane {
  int id;
  const char* text;
  bool x11::LockIndicators::*lit;
};

constexpr std::array kLockPanes = {
    LockPane{cmd::ID_INDICATOR_KANA, "ｶﾅ", &x11::LockIndicators::kana},
    LockPane{cmd::ID_INDICATOR_CAPS, "CAP", &x11::LockIndicators::caps},
    LockPane{cmd::ID_INDICATOR_NUM, "NUM", &x11::LockIndicators::num},
    LockPane{cmd::ID_INDICATOR_SCRL, "SCRL", &x11::LockIndicators::scroll},
};

// The widest text of the format pane.
QString LongestFormatName() {
  QString longest;
  for (const TextEncoding encoding : kTextEncodings) {
    for (const LineEnd lineEnd : kLineEnds) {
      const QString name = QString::fromStdString(FormatName({encoding, lineEnd}));
      if (name.size() > longest.size()) longest = name;
    }
  }
  return longest;
}

}  // namespace

// The icons live in a static library, whose resources are not registered by themselves.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

void CMainFrame::CreateToolBar() {
  InitIconResources();
  m_toolBar = addToolBar(QString());
  m_toolBar->setObjectName(QString::number(cmd::ID_VIEW_TOOLBAR));
  m_toolBar->setMovable(false);
  m_toolBar->setFloatable(false);
  m_toolBar->setIconSize(QSize(16, 15));
  m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Every command with a prompt shows its first line while under the pointer.
  for (QAction* action : findChildren<QAction*>()) {
    bool isCommand = false;
    const int id = action->data().toInt(&isCommand);
    if (isCommand) action->setStatusTip(LoadPrompt(id).statusText);
  }
  for (const ToolBarButtonDef& button : Tables().toolBar) {
    if (button.id == kMenuSeparator) {
      m_toolBar->addSeparator();
      continue;
    }
    QAction* action = CommandAction(button.id);
    action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(button.icon))));
    action->setIconVisibleInMenu(false);  // the menus are text only
    action->setToolTip(LoadPrompt(button.id).toolTip);
    m_toolBar->addAction(action);
  }

  // Buttons show their command's state at all times, not only when a menu opens.
  connect(m_view, &textview::TextEdit::SelectionChanged, this, &CMainFrame::UpdateToolBarButtons);
  connect(m_view, &textview::TextEdit::UndoAvailable, this, &CMainFrame::UpdateToolBarButtons);
  connect(m_view, &textview::TextEdit::TextChanged, this, &CMainFrame::UpdateToolBarButtons);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &CMainFrame::UpdateToolBarButtons);
  UpdateToolBarButtons();
}

void CMainFrame::UpdateToolBarButtons() {
  for (QAction* action : m_toolBar->actions())
    if (!action->isSeparator()) UpdateCommandUI(action);
}

void CMainFrame::CreateStatusBar() {
  using namespace cmd;
  m_statusBar->setObjectName(QString::number(ID_VIEW_STATUS_BAR));
  std::vector<int> ids{ID_SEPARATOR, ID_INDICATOR_FORMAT, ID_INDICATOR_LINECOL};
  std::vector<QString> widths{LongestFormatName(), QString(13, u' ')};
  for (const LockPane& pane : kLockPanes) {
    ids.push_back(pane.id);
    widths.push_back(QString::fromUtf8(pane.text));
  }
  m_statusBar->SetIndicators(ids, widths);
  ShowMessagePrompt(QString());
  const int formatPane = m_statusBar->CommandToIndex(ID_INDICATOR_FORMAT);
  connect(m_document, &CWEXDoc::FormatChanged, m_statusBar,
          [this, formatPane](const QString& name) { m_statusBar->SetPaneText(formatPane, name); });
  m_statusBar->SetPaneText(formatPane, QString::fromStdString(FormatName(m_document->Format())));
  connect(m_document, &CWEXDoc::LoadProgress, m_statusBar, [this](int percent) {
    ShowMessagePrompt(percent < 0 ? QString() : LoadString(IDS_LOADING).arg(percent));
  });
  setStatusBar(m_statusBar);
  // Lock keys change with key presses wherever the focus is in the program.
  qApp->installEventFilter(this);
  UpdateLockPanes();
}

void CMainFrame::ShowMessagePrompt(const QString& prompt) {
  m_statusBar->SetPaneText(0, prompt.isEmpty() ? LoadString(IDS_IDLE_MESSAGE) : prompt);
}

void CMainFrame::UpdateLockPanes() {
  // Without an X server the lock state is unknown: the panes stay empty.
  const x11::LockIndicators lit =
      UsesX11() ? x11::ReadLockIndicators().value_or(x11::LockIndicators{}) : x11::LockIndicators{};
  for (const LockPane& pane : kLockPanes)
    m_statusBar->SetPaneText(m_statusBar->CommandToIndex(pane.id),
                             lit.*pane.lit ? QString::fromUtf8(pane.text) : QString());
}
