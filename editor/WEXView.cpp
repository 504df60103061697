#include "editor/WEXView.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "editor/FindReplaceDialog.h"
#include "editor/OutOfMemory.h"
#include "editor/TextBoundary.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/StatusBar.h"
#include "framework/WaitCursor.h"
#include "platform/ChunkedWrite.h"
#include "resources/MainMenu.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QPrinter>
#include <cerrno>
#include <new>
#include <utility>

namespace {

void PostKey(QObject* target, int key, const QString& text) {
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

}  // namespace

CWEXView::CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles)
    : QPlainTextEdit(parent), m_pStatusBar(statusBar), m_pluginFiles(pluginFiles) {
  m_settingsPath = GetSettingsDirectory();
  MakeSettingsPath(m_settingsPath, "WEX.ini");
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setAcceptDrops(true);
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int) { ForgetLayoutFrom(position); });
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CWEXView::UpdateLineColumn);
  RegisterCommands();
  LoadFontSettings();
}

CWEXView::~CWEXView() = default;

void CWEXView::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_ABOUT, [this](int) { OnAbout(); });
  OnCommand(ID_EDIT_UNDO, [this](int) { OnUndo(); });
  OnUpdate(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(document()->isUndoAvailable()); });
  OnCommand(ID_FONT, [this](int) { OnFont(); });
  for (int id : {ID_EUC_TO_SJIS, ID_JIS_TO_SJIS}) OnCommand(id, [this](int id) { OnConvert(id); });
  for (int id : {ID_EUC_SETTINGS, ID_JIS_SETTINGS})
    OnCommand(id, [this](int id) { OnConvertInfo(id); });
  OnCommandRange(PLUGIN_RUN_FIRST, PLUGIN_RUN_FIRST + MAX_PLUGINS - 1,
                 [this](int id) { RunPlugin(id - PLUGIN_RUN_FIRST); });
  OnCommandRange(PLUGIN_OPTION_FIRST, PLUGIN_OPTION_FIRST + MAX_PLUGINS - 1,
                 [this](int id) { OpenPluginOptions(id - PLUGIN_OPTION_FIRST); });
  OnCommand(ID_FILE_OPEN, [this](int) { OnFileOpen(); });
  OnCommand(ID_FILE_SAVE_AS, [this](int) { OnFileSaveAs(); });
  RegisterEditCommands();
  RegisterFindCommands();
  RegisterPrintCommands();
}

void CWEXView::RegisterEditCommands() {
  using namespace cmd;
  OnCommand(ID_EDIT_CUT, [this](int) { cut(); });
  OnUpdate(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(textCursor().hasSelection()); });
  OnCommand(ID_EDIT_COPY, [this](int) { copy(); });
  OnUpdate(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(textCursor().hasSelection()); });
  OnCommand(ID_EDIT_PASTE, [this](int) { paste(); });
  OnUpdate(ID_EDIT_PASTE, [this](CCmdUI& ui) { ui.Enable(canPaste()); });
  OnCommand(ID_EDIT_SELECT_ALL, [this](int) { selectAll(); });
  OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI& ui) { ui.Enable(!document()->isEmpty()); });
}

// The raw text (paragraphs end in U+2029) is what toPlainText copies before
// it rewrites the separators; encoding stores them as CR LF itself.
std::string CWEXView::GetPlainText() const { return TextToSjis(document()->toRawText()); }

int CWEXView::WriteTextFile(const std::string& localPath) const {
  try {
    return WriteFileAtomically(localPath, SjisChunks(document()->toRawText()));
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

void CWEXView::SetWholeText(std::string sjis) {
  const QString text = SjisToText(sjis);
  // Released before the control copies the characters, so that a big text is
  // held twice at most rather than three times.
  std::string().swap(sjis);
  setPlainText(text);  // also empties the undo history
  document()->setModified(false);
  moveCursor(QTextCursor::Start);
}

void CWEXView::SimulateEdit() {
  PostKey(this, Qt::Key_Space, QStringLiteral(" "));
  PostKey(this, Qt::Key_Backspace, QString(QChar(u'\b')));
}

bool CWEXView::TransformWholeText(const Transformation& transform) {
  CWaitCursor wait;
  try {
    std::string text = GetPlainText();
    std::optional<std::string> result = transform(text);
    if (!result) return false;
    // The text is replaced before the old one is kept, so that running out of
    // memory on the way leaves both the text and the pending Undo as they were.
    SetWholeText(std::move(*result));
    m_strBeforeConvert = std::move(text);
    m_bConverted = 1;
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(this);
    return false;
  }
  SimulateEdit();
  return true;
}

QSize CWEXView::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(QString(80, u'0')) + verticalScrollBar()->sizeHint().width(),
          metrics.lineSpacing() * 25};
}

void CWEXView::OnUndo() {
  if (m_bConverted != 1) {
    undo();
    return;
  }
  CWaitCursor wait;
  m_bConverted = 0;
  SetWholeText(std::exchange(m_strBeforeConvert, {}));  // leaves the modified flag clear
}

void CWEXView::SendCommand(int id) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(window()))
    frame->SendCommand(id);
  else
    OnCmdMsg(id);
}

void CWEXView::OnAbout() {
  ShowMessageBox(this,
                 QString::fromUtf8("Wex ver 2.1a\n\n2024-2026 Wex developers"),
                 QString(), QMessageBox::Ok);
}

bool CWEXView::event(QEvent* e) {
  // The control claims standard keys (Ctrl+Z, Ctrl+C, ...) for itself; the
  // main window's accelerators must win so that every command is routed.
  if (e->type() == QEvent::ShortcutOverride) {
    const QKeyCombination key = static_cast<QKeyEvent*>(e)->keyCombination();
    for (const AcceleratorDef& accel : MainAccelerators()) {
      if (accel.key == key) {
        e->ignore();
        return true;
      }
    }
  }
  // A new font lays every paragraph out anew.
  if (e->type() == QEvent::FontChange) m_blocksLaidOut = 0;
  return QPlainTextEdit::event(e);
}

void CWEXView::keyReleaseEvent(QKeyEvent* e) {
  UpdateLineColumn();
  QPlainTextEdit::keyReleaseEvent(e);
}
