#include "editor/WEXView.h"

#include "editor/BufferText.h"
#include "editor/FindReplaceDialog.h"
#include "editor/OutOfMemory.h"
#include "editor/WEXDoc.h"
#include "resources/CommandIds.h"
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

CWEXView::CWEXView(QWidget* parent, CStatusBar* statusBar, const PluginFileTable& pluginFiles,
                   SettingsFile& settings)
    : TextEdit(parent), m_settings(settings), m_pStatusBar(statusBar), m_pluginFiles(pluginFiles) {
  setAcceptDrops(true);
  connect(this, &TextEdit::CaretMoved, this, &CWEXView::UpdateLineColumn);
  RegisterCommands();
  LoadFontSettings();
}

CWEXView::~CWEXView() = default;

void CWEXView::RegisterCommands() {
  using namespace cmd;
  OnCommand(ID_ABOUT, [this](int) { OnAbout(); });
  OnCommand(ID_EDIT_UNDO, [this](int) { Undo(); });
  OnUpdate(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(Buffer().CanUndo()); });
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
  OnCommand(ID_EDIT_CUT, [this](int) { Cut(); });
  OnUpdate(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(HasSelection()); });
  OnCommand(ID_EDIT_COPY, [this](int) { Copy(); });
  OnUpdate(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(HasSelection()); });
  OnCommand(ID_EDIT_PASTE, [this](int) { Paste(); });
  OnUpdate(ID_EDIT_PASTE, [this](CCmdUI& ui) { ui.Enable(CanPaste()); });
  OnCommand(ID_EDIT_SELECT_ALL, [this](int) { SelectAll(); });
  OnUpdate(ID_EDIT_SELECT_ALL, [this](CCmdUI& ui) { ui.Enable(!Buffer().IsEmpty()); });
}

std::string CWEXView::GetPlainText() const {
  WaitForWholeText();
  return BufferToSjis(Buffer());
}

void CWEXView::WaitForWholeText() const {
  if (m_pDocument) m_pDocument->CompleteLoad();
}

void CWEXView::SetWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  // Decoded straight into the text's own store: a big text is held twice at most.
  BeginLoad(sjis.size());
  CommitLoaded(cp932::DecodeTo(sjis, LoadArea(), lineEnds));
  std::string().swap(sjis);
  EndLoad();
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

// The buffer's history keeps the old text where it is stored: Undo puts its
// paragraphs back without a copy of it ever being made.
void CWEXView::ReplaceWholeText(std::string sjis, cp932::LineEnds lineEnds) {
  std::u16string text(sjis.size(), u'\0');
  text.resize(cp932::DecodeTo(sjis, text.data(), lineEnds));
  std::string().swap(sjis);
  Buffer().Replace(Buffer().Whole(), text);
  SetCaret({});
}

void CWEXView::RestoreText(std::u16string_view text) {
  SetText(text);
  SetModified(true);
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
  return TextEdit::event(e);
}

void CWEXView::keyReleaseEvent(QKeyEvent* e) {
  UpdateLineColumn();
  TextEdit::keyReleaseEvent(e);
}
