#include "editor/WEXView.h"

#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "editor/FindReplaceDialog.h"
#include "editor/OutOfMemory.h"
#include "editor/TextBoundary.h"
#include "editor/WEXDoc.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/StatusBar.h"
#include "framework/WaitCursor.h"
#include "resources/MainMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QScrollBar>
#include <QPrinter>
#include <new>
#include <utility>

CWEXView::CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles)
    : QPlainTextEdit(parent), m_pStatusBar(statusBar), m_pluginFiles(pluginFiles) {
  m_settingsPath = GetSettingsDirectory();
  MakeSettingsPath(m_settingsPath, "WEX.ini");
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setAcceptDrops(true);
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int added) {
            ForgetLayoutFrom(position);
            FitLayoutToLongParagraphs(position, added);
          });
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CWEXView::UpdateLineColumn);
  RegisterCommands();
  LoadFontSettings();
}

CWEXView::~CWEXView() = default;

void CWEXView::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_ABOUT, [this](int) { OnAbout(); });
  OnCommand(ID_EDIT_UNDO, [this](int) { undo(); });
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
std::string CWEXView::GetPlainText() const {
  WaitForWholeText();
  return TextToSjis(document()->toRawText());
}

void CWEXView::WaitForWholeText() const {
  if (m_pDocument) m_pDocument->CompleteLoad();
}

void CWEXView::SetWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  const QString text = SjisToText(sjis, lineEnds);
  // Released before the control copies the characters, so that a big text is
  // held twice at most rather than three times.
  std::string().swap(sjis);
  WrapAtWordBoundaries();
  setPlainText(text);  // also empties the undo history
  document()->setModified(false);
  moveCursor(QTextCursor::Start);
}

void CWEXView::BeginLoad(const QString& first) {
  setUndoRedoEnabled(false);
  setReadOnly(true);
  WrapAtWordBoundaries();
  setPlainText(first);
  document()->setModified(false);
  moveCursor(QTextCursor::Start);
}

void CWEXView::AppendLoaded(const QString& piece) {
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  end.insertText(piece);
  document()->setModified(false);
}

void CWEXView::EndLoad() {
  setReadOnly(false);
  setUndoRedoEnabled(true);  // with an empty history
  document()->setModified(false);
}

bool CWEXView::TransformWholeText(const Transformation& transform) {
  CWaitCursor wait;
  try {
    std::optional<std::string> result = transform(GetPlainText());
    if (!result) return false;
    ReplaceWholeText(std::move(*result));
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(this);
    return false;
  }
  return true;
}

// The document keeps the characters a step removes in its own store, and its
// Undo links them back in: the text before the change is never copied for it.
void CWEXView::ReplaceWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  const QString text = SjisToText(sjis, lineEnds);
  std::string().swap(sjis);
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  cursor.endEditBlock();
  moveCursor(QTextCursor::Start);
  m_bAfterWholeTextChange = true;
}

void CWEXView::RestoreText(const QString& rawText) {
  setPlainText(rawText);
  document()->setModified(true);
  moveCursor(QTextCursor::Start);
}

QSize CWEXView::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(QString(80, u'0')) + verticalScrollBar()->sizeHint().width(),
          metrics.lineSpacing() * 25};
}

void CWEXView::SendCommand(int id) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(window()))
    frame->SendCommand(id);
  else
    OnCmdMsg(id);
}

void CWEXView::UpdateCommandUI(QAction* action) {
  if (auto* frame = dynamic_cast<CFrameWnd*>(window())) {
    frame->UpdateCommandUI(action);
    return;
  }
  CCmdUI ui;
  ui.id = action->data().toInt();
  OnUpdateCmdUI(ui);
  action->setEnabled(ui.enabled);
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
